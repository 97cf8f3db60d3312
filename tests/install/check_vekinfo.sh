#!/usr/bin/env bash
# Installs the built tree into a scratch prefix (or unpacks the Debian package, see
# install_into.sh) and starts the installed vekinfo with nothing pointing at the library: it must
# find the installed libvek.so beside it, not the build tree's.
# Further arguments go to vekinfo (default --help, which needs no display).
set -euo pipefail
build=$1 work=$2
source "$(dirname "$0")/skip_without_display.sh"
source "$(dirname "$0")/install_into.sh"
shift 2
[ $# -gt 0 ] || set -- --help
rm -rf "$work"
mkdir -p "$work"
vek_install_into "$build" "$work"
program="$prefix/bin/vekinfo"
resolved=$(env -u LD_LIBRARY_PATH ldd "$program" | awk '$1 ~ /^libvek\.so/ {print $3}')
case "$resolved" in
    "$prefix/"*) ;;
    *)
        echo "installed vekinfo resolves libvek.so to '$resolved', not to its prefix"
        exit 1
        ;;
esac
cd "$work"
env -u LD_LIBRARY_PATH "$program" "$@" >"$work/vekinfo.out"
echo "installed vekinfo ran from $prefix ($(wc -l <"$work/vekinfo.out") lines of output)"
