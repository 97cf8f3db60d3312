#!/usr/bin/env bash
# Installs the built tree into a scratch prefix (or unpacks the Debian package, see
# install_into.sh), then builds an example against it twice: with find_package(vek) and with
# pkg-config. Both programs must run. The example's program is named after its folder. Build
# output goes to logs in the work folder; a failing step prints its tail.
# With a toolchain file and an emulator after the work folder (the Windows package), the second
# build is the one compiler line a consumer with the cross compiler alone would write, and both
# programs run through the emulator with the package's DLL on its path.
set -euo pipefail
build=$1 example=$2 work=$3 toolchain=${4:-}
emulator=("${@:5}")
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
if [ -n "$toolchain" ]; then
    # The toolchain roots every search in the compiler's own tree: the package is named directly.
    config=$(dirname "$(find "$prefix" -name vekConfig.cmake | head -n 1)")
    quietly configure.log cmake -S "$example" -B "$work/cmake" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -Dvek_DIR="$config"
    quietly build.log cmake --build "$work/cmake"
    compiler=$(sed -n 's/^set(CMAKE_CXX_COMPILER "\(.*\)")$/\1/p' \
        "$work"/cmake/CMakeFiles/*/CMakeCXXCompiler.cmake)
    quietly compile.log "$compiler" -std=c++17 -I"$prefix/include" "$example/main.cpp" \
        "$prefix/lib/vek.dll.a" -lopengl32 -lglu32 -static -o "$work/$program-line.exe"
    cd "$work"
    WINEPATH="$prefix/bin" "${emulator[@]}" "$work/cmake/$program.exe"
    WINEPATH="$prefix/bin" "${emulator[@]}" "$work/$program-line.exe"
    echo "installed Windows package in $prefix: find_package and compiler-line builds run"
    exit 0
fi
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
