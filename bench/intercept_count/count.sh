#!/bin/sh
# Instructions per call of each loop of bench_intercept_count, counted by callgrind. (A valgrind
# older than 3.20 cannot read the DWARF 5 of a clang++ build: count a g++ build.)
#   count.sh PATH/TO/bench_intercept_count [calls]
set -eu
program=${1:?usage: count.sh PATH/TO/bench_intercept_count [calls]}
calls=${2:-200000}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
valgrind --tool=callgrind --callgrind-out-file="$dir/count.out" "$program" --calls="$calls" \
    >"$dir/stdout" 2>"$dir/stderr" || { cat "$dir/stderr" >&2; exit 1; }
printf '%-26s %12s\n' loop instructions/call
for file in "$dir"/count.out.*; do
    name=$(sed -n 's/^desc: Trigger: Client Request: //p' "$file")
    total=$(sed -n 's/^totals: \([0-9]*\).*/\1/p' "$file")
    [ -n "$name" ] && [ -n "$total" ] || continue
    awk -v n="$name" -v t="$total" -v c="$calls" 'BEGIN { printf "%-26s %12.2f\n", n, t / c }'
done
