#!/usr/bin/env bash
# Counts the lines that carry code in .cpp and .h files: not blank and not
# only a // comment. Prints the test lines, the program lines (src, tools,
# bench) and their ratio.
set -euo pipefail
cd "$(dirname "$0")/.."

count() {
    find "$@" -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 -r cat \
        | grep -v '^[[:space:]]*$' | grep -cv '^[[:space:]]*//'
}

tests=$(count tests)
code=$(count src tools bench)
awk -v t="$tests" -v c="$code" 'BEGIN { printf "tests %d  code %d  ratio %.2f\n", t, c, t / c }'
