#!/usr/bin/env bash
# Installs the built tree into a scratch prefix (or unpacks the Debian package, see
# install_into.sh), then builds an example against it twice: with find_package(vek) and with
# pkg-config. Both programs must run. The example's program is named after its folder. Build
# output goes to logs in the work folder; a failing step prints its tail.
set -euo pipefail
build=$1 example=$2 work=$3
program=$(basename "$example")
source "$(dirname "$0")/skip_without_display.sh"
source "$(dirname "$0")/install_into.sh"
rm -rf "$work"
mkdir -p "$work"

# Runs a step quietly, its output in the named log; on failure prints the log's tail.
quietly() {
    local log=$work/$1
    shift
    if ! "$@" >"$log" 2>&1; then
        echo "failed: $* (last lines of $log):"
        tail -n 40 "$log"
        return 1
    fi
}

vek_install_into "$build" "$work"
quietly configure.log cmake -S "$example" -B "$work/cmake" -G Ninja \
    -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_BUILD_RPATH="$prefix/lib"
quietly build.log cmake --build "$work/cmake"
# Programs that write files write them into the scratch folder.
cd "$work"
LD_LIBRARY_PATH="$prefix/lib" "$work/cmake/$program"

pcdir=$(dirname "$(find "$prefix" -name vek.pc | head -n 1)")
# VEK_EXAMPLE_PACKAGES: further pkg-config modules the example uses besides vek.
flags=$(PKG_CONFIG_PATH="$pcdir" pkg-config --cflags --libs vek ${VEK_EXAMPLE_PACKAGES:-})
# shellcheck disable=SC2086
quietly pkg-config-build.log c++ "$example/main.cpp" -o "$work/$program-pc" $flags
LD_LIBRARY_PATH="$prefix/lib" "$work/$program-pc"
echo "installed package in $prefix: find_package and pkg-config builds run"
