#!/usr/bin/env bash
# The README's first C++ block is the quickstart example as the tests build it, byte for byte,
# so the program a newcomer pastes is one that compiles and runs.
set -euo pipefail
readme=$1 example=$2
block=$(awk '/^```cpp$/ {inside = 1; next} inside && /^```$/ {exit} inside {print}' "$readme")
if ! diff -u <(printf '%s\n' "$block") "$example"; then
    echo "the README's first C++ block differs from $example"
    exit 1
fi
echo "the README's first C++ block is $example"
