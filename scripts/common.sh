#!/usr/bin/env bash
# Shared steps of the two README commands: install what is missing, configure and build,
# and make sure an X display answers.
set -euo pipefail

VEK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Every Debian package the library, its tests, benchmarks and tools need.
VEK_PACKAGES=(
    build-essential g++ clang cmake ninja-build pkg-config python3 git dpkg-dev file
    libboost-dev
    libx11-dev libxrandr-dev libxres-dev libgl-dev libgl1-mesa-dev libgl1-mesa-dri libglu1-mesa-dev libegl-dev
    mesa-utils x11-utils xvfb xauth
    khronos-api
    ocl-icd-libopencl1 opencl-c-headers pocl-opencl-icd clinfo
    libgtest-dev libgmock-dev libbenchmark-dev
    libpng-dev libimath-dev libglew-dev libglbinding-dev libepoxy-dev
    valgrind doxygen
    python3-jsonschema
    libclang-rt-dev
)

vek_install_dependencies() {
    local missing=()
    local p
    for p in "${VEK_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
            missing+=("$p")
        fi
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "vek: installing ${missing[*]}"
        local sudo=""
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
            "${missing[@]}" >/dev/null
    fi
}

# VEK_BUILD_DIR, VEK_SANITIZE (OFF, ON, thread or fuzz) and CXX may be set by the caller;
# arguments name the targets to build (all when none). Quiet: the configure and build output goes
# to $VEK_BUILD_DIR/vek-build.log, whose tail is printed when a step fails.
vek_build() {
    local sanitize=${VEK_SANITIZE:-OFF}
    local dir=${VEK_BUILD_DIR:-$VEK_ROOT/build}
    local options=(-DVEK_SANITIZE="$sanitize")
    if [ -z "${VEK_BUILD_DIR:-}" ]; then
        case "$sanitize" in
            ON) dir=$VEK_ROOT/build-sanitize ;;
            thread) dir=$VEK_ROOT/build-tsan ;;
            fuzz) dir=$VEK_ROOT/build-fuzz ;;
        esac
    fi
    # Benchmarks are measured in the plain build only; libFuzzer comes with clang.
    if [ "$sanitize" != OFF ]; then
        options+=(-DVEK_BUILD_BENCHMARKS=OFF)
    fi
    if [ "$sanitize" = fuzz ]; then
        options+=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++)
    fi
    VEK_BUILD_DIR=$dir
    mkdir -p "$dir"
    local log=$dir/vek-build.log
    local targets=()
    local t
    for t in "$@"; do targets+=(--target "$t"); done
    echo "vek: building into $dir (log: $log)" >&2
    if ! { cmake -S "$VEK_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
               "${options[@]}" &&
           cmake --build "$dir" -j "$(nproc)" "${targets[@]}"; } >"$log" 2>&1; then
        echo "vek: the build failed; the last lines of $log:" >&2
        tail -n 60 "$log" >&2
        return 1
    fi
}

# Starts Xvfb on a free display when none answers; the server lives as long as this shell.
vek_ensure_display() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
        return 0
    fi
    local n
    for n in $(seq 90 120); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 +extension GLX +extension RANDR -nolisten tcp \
            >/dev/null 2>&1 &
        VEK_XVFB_PID=$!
        trap 'kill "$VEK_XVFB_PID" 2>/dev/null || true' EXIT
        export DISPLAY=":$n"
        local i
        for i in $(seq 1 50); do
            xdpyinfo >/dev/null 2>&1 && return 0
            sleep 0.1
        done
        echo "vek: Xvfb on :$n did not answer" >&2
        return 1
    done
    echo "vek: no free X display number" >&2
    return 1
}

# The Windows build: vek.dll cross-compiled with mingw-w64, its tests run under Wine. Without
# recommends: with them apt would also upgrade Mesa.
VEK_WINDOWS_PACKAGES=(wine64 g++-mingw-w64-x86-64-posix googletest libboost-dev opencl-c-headers
                      libz-mingw-w64-dev)

vek_install_windows_dependencies() {
    local VEK_PACKAGES=("${VEK_WINDOWS_PACKAGES[@]}")
    vek_install_dependencies
}

# Google Benchmark and libpng for the Windows build, which Debian packages for Linux only: their
# Debian sources, built with mingw-w64 into DIR/deps/prefix as static libraries (linked into the
# programs like the compiler's runtime, so that no DLL of theirs has to be found under Wine), once
# per build directory. apt-get source needs a deb-src entry: one is added in a file of its own.
vek_windows_build_dependencies() {
    local dir=$1
    local prefix=$dir/deps/prefix src=$dir/deps/src
    if [ -e "$prefix/lib/libbenchmark.a" ] && [ -e "$prefix/lib/libpng16.a" ]; then
        return 0
    fi
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    if ! grep -rqs '^ *\(deb-src\|Types:.*deb-src\)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
        printf '%s\n' "Types: deb-src" "URIs: http://deb.debian.org/debian" \
            "Suites: bookworm bookworm-updates" "Components: main" \
            "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg" |
            $sudo tee /etc/apt/sources.list.d/vek-sources.sources >/dev/null
        $sudo apt-get update -qq
    fi
    rm -rf "$src" && mkdir -p "$src"
    (cd "$src" && apt-get source -qq benchmark libpng1.6) || return 1
    local common=(-G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix"
                  -DCMAKE_TOOLCHAIN_FILE="$VEK_ROOT/cmake/toolchains/x86_64-w64-mingw32.cmake")
    if command -v ccache >/dev/null; then
        common+=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    fi
    local zlib=/usr/x86_64-w64-mingw32 benchmark libpng
    benchmark=$(echo "$src"/benchmark-*/) libpng=$(echo "$src"/libpng1.6-*/)
    # Debian's rules give Google Benchmark its version, which upstream reads from git.
    vek_windows_build_dependency "$benchmark" -DGIT_VERSION="$(basename "$benchmark" | cut -d- -f2)" \
        -DBENCHMARK_ENABLE_TESTING=OFF -DBENCHMARK_ENABLE_WERROR=OFF -DBENCHMARK_INSTALL_DOCS=OFF &&
        vek_windows_build_dependency "$libpng" -DPNG_SHARED=OFF -DPNG_TESTS=OFF \
            -DPNG_EXECUTABLES=OFF -DZLIB_LIBRARY="$zlib/lib/libz.a" -DZLIB_INCLUDE_DIR="$zlib/include"
}

# SOURCE-FOLDER CMAKE-OPTION...: built and installed with the settings vek_windows_build_dependencies
# gives in common.
vek_windows_build_dependency() {
    local source=$1
    shift
    cmake -S "$source" -B "$source/build" "${common[@]}" -DBUILD_SHARED_LIBS=OFF "$@" &&
        cmake --build "$source/build" -j "$(nproc)" &&
        cmake --install "$source/build"
}

# Builds build-windows/ (or $VEK_WINDOWS_BUILD_DIR) and runs its CTest suite under Wine on an Xvfb
# of its own (without MIT-SHM, which Wine's pbuffers trip over), with a Wine prefix in the build
# directory and one Wine server kept up for the whole run; VEK_WINDOWS_DISPLAYS may list the
# display numbers it may take. Arguments go to ctest.
vek_windows_test() {
    local dir=${VEK_WINDOWS_BUILD_DIR:-$VEK_ROOT/build-windows}
    local wine=/usr/lib/wine/wine64 server=/usr/lib/wine/wineserver
    mkdir -p "$dir"
    local log=$dir/vek-build.log n xvfb="" status=0
    for n in ${VEK_WINDOWS_DISPLAYS:-$(seq 121 160)}; do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 +extension GLX +extension RANDR -extension MIT-SHM \
            -nolisten tcp >/dev/null 2>&1 &
        xvfb=$!
        break
    done
    [ -n "$xvfb" ] || { echo "vek: no free X display number" >&2; return 1; }
    local i
    for i in $(seq 1 50); do
        DISPLAY=":$n" xdpyinfo >/dev/null 2>&1 && break
        sleep 0.1
    done
    (
        export DISPLAY=":$n" WINEPREFIX=$dir/wineprefix WINEDEBUG=-all
        # One persistent server: without it every test program pays for a server start and its
        # lingering exit. Wine's services start here, apart from any program's output: started by
        # a test program, they would hold its output open until the server ends.
        mkdir -p "$WINEPREFIX"
        "$server" -p
        "$wine" wineboot -i >/dev/null 2>&1
        trap '"$server" -k 2>/dev/null || true' EXIT
        echo "vek: building the Windows build into $dir (log: $log)" >&2
        if ! { vek_windows_build_dependencies "$dir" &&
               cmake -S "$VEK_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
                   -DCMAKE_TOOLCHAIN_FILE="$VEK_ROOT/cmake/toolchains/x86_64-w64-mingw32.cmake" \
                   -DCMAKE_PREFIX_PATH="$dir/deps/prefix" &&
               cmake --build "$dir" -j "$(nproc)"; } >"$log" 2>&1; then
            echo "vek: the Windows build failed; the last lines of $log:" >&2
            tail -n 60 "$log" >&2
            exit 1
        fi
        cd "$dir" && ctest --output-on-failure -j "$(nproc)" "$@"
    ) || status=$?
    kill "$xvfb" 2>/dev/null || true
    return $status
}
