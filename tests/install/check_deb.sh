#!/usr/bin/env bash
# Makes the Debian package with `cpack -G DEB` from the build tree into WORK, as a user would in
# the build folder, and checks it: every file under /usr; the library, vekinfo, exactly the public
# headers, the CMake package and the pkg-config file; and for every library the packaged
# programs link directly, the Debian package that provides it on this machine among its
# dependencies. The package stays in WORK for the checks that build against it (VEK_DEB_DIR).
set -euo pipefail
build=$1 work=$2
rm -rf "$work"
mkdir -p "$work"
log=$work/cpack.log
if ! (cd "$build" && cpack -G DEB -B "$work") >"$log" 2>&1; then
    echo "cpack -G DEB failed (last lines of $log):"
    tail -n 40 "$log"
    exit 1
fi
debs=("$work"/*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    echo "expected one package in $work, found: ${debs[*]}"
    exit 1
fi
deb=${debs[0]}
failed=0

# Paths only: the sixth column, without a symbolic link's target.
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$work/contents.txt"
outside=$(grep -vE '^/$|^/usr/' "$work/contents.txt" || true)
if [ -n "$outside" ]; then
    echo "files outside /usr:"
    printf '%s\n' "$outside"
    failed=1
fi
for path in /usr/bin/vekinfo /usr/lib/libvek.so /usr/lib/libvek.so.0 \
            /usr/lib/cmake/vek/vekConfig.cmake /usr/lib/cmake/vek/vekConfigVersion.cmake \
            /usr/lib/cmake/vek/vekTargets.cmake /usr/lib/pkgconfig/vek.pc; do
    if ! grep -qx "$path" "$work/contents.txt"; then
        echo "the package lacks $path"
        failed=1
    fi
done
grep '^/usr/include/vek/.*[^/]$' "$work/contents.txt" | sed 's|^/usr/include/||' | LC_ALL=C sort \
    >"$work/headers.txt"
if ! diff -u <(LC_ALL=C sort "$build/public_headers.txt") "$work/headers.txt"; then
    echo "packaged headers differ from the public list (- listed, + packaged)"
    failed=1
fi

# Each library named in a packaged program's NEEDED entries, found as this machine's loader finds
# it, must come from a package the .deb depends on.
root=$work/root
dpkg-deb -x "$deb" "$root"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# One package name a line, alternatives and versions dropped.
depended=$(tr ',|' '\n\n' <<<"$depends" | sed 's/(.*//; s/ //g')
for elf in "$root/usr/bin/vekinfo" "$root"/usr/lib/libvek.so.*.*; do
    for needed in $(readelf -d "$elf" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
        case "$needed" in libvek.so*) continue ;; esac
        # The dynamic loader is listed by its path, the others as "name => path".
        path=$(env -u LD_LIBRARY_PATH ldd "$elf" |
               awk -v so="$needed" '$1 == so {print $3} $1 ~ "/" so "$" {print $1}' | head -n 1)
        owner=""
        for candidate in "$path" "$(readlink -f "$path")" "$(readlink -f "$path" | sed 's|^/usr||')"; do
            owner=$(dpkg -S "$candidate" 2>/dev/null | head -n 1 | cut -d: -f1) && break
        done
        if [ -z "$owner" ]; then
            echo "$(basename "$elf") needs $needed, which no Debian package provides here"
            failed=1
        elif ! grep -qxF "$owner" <<<"$depended"; then
            echo "$(basename "$elf") needs $needed from $owner, which is not among the dependencies"
            failed=1
        fi
    done
done
[ "$failed" -eq 0 ] || exit 1
echo "$(basename "$deb"): $(wc -l <"$work/headers.txt") headers, its libraries' packages depended on"
