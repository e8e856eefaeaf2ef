#!/usr/bin/env bash
# Counts the lines that carry code in .cpp and .h files: not blank and not
# only a comment (// lines and lines inside /* */ blocks). Prints the test
# lines, the program lines (src, tools, bench) and their ratio.
set -euo pipefail
cd "$(dirname "$0")/.."

count() {
    find "$@" \( -name '*.cpp' -o -name '*.h' \) -print0 2>/dev/null | sort -z \
        | xargs -0 -r awk '
            { line = $0 }
            inblock { if (sub(/.*\*\//, "", line)) inblock = 0; else next }
            {
                while (match(line, /\/\*/)) {
                    rest = substr(line, RSTART + 2)
                    if (match(rest, /\*\//)) line = substr(line, 1, RSTART - 1) " " substr(rest, RSTART + 2)
                    else { line = substr(line, 1, RSTART - 1); inblock = 1 }
                }
                gsub(/^[ \t]+|[ \t]+$/, "", line)
                if (line == "" || line ~ /^\/\//) next
                n++
            }
            END { print n + 0 }'
}

tests=$(count tests)
code=$(count src tools bench)
awk -v t="$tests" -v c="$code" 'BEGIN { printf "tests %d  code %d  ratio %.2f\n", t, c, t / c }'
