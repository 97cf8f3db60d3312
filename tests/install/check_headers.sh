#!/usr/bin/env bash
# Installs the built tree into a scratch prefix and checks its public interface: exactly the
# listed public headers are installed, and each compiles on its own with the package's flags.
set -euo pipefail
build=$1 work=$2 compiler=$3
rm -rf "$work"
mkdir -p "$work"
log="$work/install.log"
if ! cmake --install "$build" --prefix "$work/prefix" >"$log" 2>&1; then
    tail -n 40 "$log"
    exit 1
fi

include="$work/prefix/include"
(cd "$include" && find vek -type f | LC_ALL=C sort) >"$work/installed.txt"
LC_ALL=C sort "$build/public_headers.txt" >"$work/expected.txt"
if ! diff -u "$work/expected.txt" "$work/installed.txt"; then
    echo "installed headers differ from the public list (- listed, + installed)"
    exit 1
fi

pcdir=$(dirname "$(find "$work/prefix" -name vek.pc | head -n 1)")
flags=$(PKG_CONFIG_PATH="$pcdir" pkg-config --cflags vek)
# Each header twice in a unit of its own (include guard), with warnings as errors.
compile() {
    local header=$1 unit
    unit="$work/$(echo "$header" | tr '/' '_').cpp"
    printf '#include <%s>\n#include <%s>\n' "$header" "$header" >"$unit"
    # shellcheck disable=SC2086
    if ! "$compiler" $flags -Wall -Wextra -Werror -fsyntax-only "$unit" >"$unit.log" 2>&1; then
        echo "$header does not compile on its own:"
        head -n 20 "$unit.log"
        return 1
    fi
}
export -f compile
export work compiler flags
failed=0
grep '\.h$' "$work/installed.txt" | xargs -P "$(nproc)" -I{} bash -c 'compile {}' || failed=1
[ "$failed" -eq 0 ] || exit 1
echo "$(grep -c '\.h$' "$work/installed.txt") public headers installed, each self-contained"
