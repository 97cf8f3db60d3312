#!/usr/bin/env bash
# Installs the built tree into a scratch prefix, then builds an example against it twice: with
# find_package(vek) and with pkg-config. Both programs must run. The example's program is named
# after its folder.
set -euo pipefail
build=$1 example=$2 work=$3
program=$(basename "$example")
rm -rf "$work"
mkdir -p "$work"
cmake --install "$build" --prefix "$work/prefix" >/dev/null

cmake -S "$example" -B "$work/cmake" -G Ninja -DCMAKE_PREFIX_PATH="$work/prefix" \
      -DCMAKE_BUILD_RPATH="$work/prefix/lib" >/dev/null
cmake --build "$work/cmake" >/dev/null
# Programs that write files write them into the scratch folder.
cd "$work"
LD_LIBRARY_PATH="$work/prefix/lib" "$work/cmake/$program"

pcdir=$(dirname "$(find "$work/prefix" -name vek.pc | head -n 1)")
# VEK_EXAMPLE_PACKAGES: further pkg-config modules the example uses besides vek.
flags=$(PKG_CONFIG_PATH="$pcdir" pkg-config --cflags --libs vek ${VEK_EXAMPLE_PACKAGES:-})
# shellcheck disable=SC2086
c++ "$example/main.cpp" -o "$work/$program-pc" $flags
LD_LIBRARY_PATH="$work/prefix/lib" "$work/$program-pc"
echo "installed package: find_package and pkg-config builds run"
