#!/usr/bin/env bash
# Plants every fault of scripts/faults.txt, one at a time, in a scratch copy of
# the tree, builds it and runs the tests; a fault that leaves every test
# passing is a gap in the suite. Prints "N caught, M missed" and exits
# non-zero when a fault is missed or no longer applies.
#
#   bash scripts/fault-check.sh [FILTER]     # FILTER: only faults whose line matches
#
# FAULT_SCRATCH  scratch folder (default ${TMPDIR:-/tmp}/fondalis-faults); its
#                build is kept, so a second run is incremental
# FAULT_EXCLUDE  ctest -E regex of tests left out, e.g. tst_desktop
# FAULT_JOBS     parallel jobs (default 2)
# FAULT_LIST_ONLY=1  only check that every fault still applies
# FAULT_REF      plant in this commit instead of the working tree
# FAULT_FROM     start at this fault (counted from 1), to resume a run
# FAULT_LIST     another list of faults, in the same form
#
# Each line of faults.txt is  file @@ text @@ replacement [@@ first tests]:
# the text must occur exactly once in the file. The tests mirroring the
# file's folder (or the ones named) run first, the rest only when those pass.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
scratch=${FAULT_SCRATCH:-${TMPDIR:-/tmp}/fondalis-faults}
tree=$scratch/fondalis
build=$tree/build-tests
jobs=${FAULT_JOBS:-2}
exclude=${FAULT_EXCLUDE:-}
filter=${1:-}
list=${FAULT_LIST:-$root/scripts/faults.txt}

# The fault's parts, one per line: file, text, replacement, first tests.
fields() {
    local rest=$1 part
    local -a parts=()
    while :; do
        part=${rest%%@@*}
        part=${part#"${part%%[![:space:]]*}"}
        parts+=("${part%"${part##*[![:space:]]}"}")
        [[ $rest == *@@* ]] || break
        rest=${rest#*@@}
    done
    if [ ${#parts[@]} -lt 3 ] || [ ${#parts[@]} -gt 4 ] || [ -z "${parts[0]}" ] || [ -z "${parts[1]}" ]; then
        echo "malformed fault: $1" >&2
        return 1
    fi
    printf '%s\n' "${parts[0]}" "${parts[1]}" "${parts[2]}" "${parts[3]:-}"
}

# Replaces the text in the file; fails unless it occurs exactly once.
plant() { perl -e '
my ($path, $old, $new) = @ARGV;
open(my $in, "<", $path) or die "$path: $!\n";
my $text = do { local $/; <$in> };
my ($n, $at) = (0, -1);
while (($at = index($text, $old, $at + 1)) >= 0) { $n++ }
die "$path: the text occurs $n times: $old\n" if $n != 1;
exit 0 unless defined $new;
substr($text, index($text, $old), length $old) = $new;
open(my $out, ">", $path) or die "$path: $!\n";
print $out $text;' "$@"; }

mapfile -t faults < <(grep -v '^\s*\(#\|$\)' "$list" | grep -F -- "$filter" || true)
[ ${#faults[@]} -gt 0 ] || { echo "no faults to plant" >&2; exit 1; }

# A fault that no longer applies makes the whole run fail before any build.
applies() {
    local stale=0 f
    for f in "${faults[@]}"; do
        mapfile -t p < <(fields "$f")
        plant "$1/${p[0]}" "${p[1]}" || stale=1
    done
    [ $stale -eq 0 ] || { echo "FAULT LIST OUT OF DATE: fix scripts/faults.txt" >&2; exit 2; }
}
if [ -n "${FAULT_LIST_ONLY:-}" ]; then
    applies "$root"
    echo "${#faults[@]} faults apply"
    exit 0
fi

# Fresh sources over the kept build: the working tree, or with FAULT_REF
# that commit. The copy keeps the files' times, so the build only redoes
# what changed since the last run.
mkdir -p "$tree" "$scratch/logs"
find "$tree" -mindepth 1 -maxdepth 1 ! -name build-tests -exec rm -rf {} +
if [ -n "${FAULT_REF:-}" ]; then
    git -C "$root" archive "$FAULT_REF" | tar -xf - -C "$tree"
else
    (cd "$root" && git ls-files -z -co --exclude-standard | grep -zv '^build' | tar --null -T - -cf -) | (cd "$tree" && tar -xf -)
fi

applies "$tree"
# The copy gave every file its old time back, also the ones an earlier run
# planted a fault in and built: touch them, or make keeps the faulty objects.
if [ -f "$scratch/planted" ]; then
    sort -u "$scratch/planted" | while read -r f; do touch "$tree/$f"; done
    rm "$scratch/planted"
fi


export CCACHE_BASEDIR=$scratch QT_QPA_PLATFORM=offscreen
cmake -S "$tree" -B "$build" -DCMAKE_BUILD_TYPE=Release -DFONDALIS_BUILD_TESTS=ON > "$scratch/logs/configure.log"
suite() { timeout 900 ctest --test-dir "$build" -j"$jobs" --stop-on-failure --no-tests=ignore "$@"; }
echo "building the unchanged tree"
cmake --build "$build" -j"$jobs" > "$scratch/logs/build.log" 2>&1 || { echo "the unchanged tree does not build" >&2; exit 1; }
suite ${exclude:+-E "$exclude"} > "$scratch/logs/baseline.log" 2>&1 || { echo "the unchanged tree fails its tests: $scratch/logs/baseline.log" >&2; exit 1; }

# The tests in tests/<folder> of the faulted file, as a ctest regex.
mirrored() {
    local dir
    dir=$(dirname "$1"); dir=${dir#src/}
    grep -ho 'fondalis_add_test(\s*\w*' "$tree/tests/$dir/CMakeLists.txt" 2>/dev/null | sed 's/.*(\s*//' | paste -sd'|'
}

caught=0 missed=0 broken=0 n=0
missing=()
for f in "${faults[@]}"; do
    n=$((n + 1))
    [ $n -ge "${FAULT_FROM:-1}" ] || continue
    mapfile -t p < <(fields "$f")
    file=$tree/${p[0]}
    log=$scratch/logs/fault-$n.log
    first=${p[3]:-$(mirrored "${p[0]}")}
    cp "$file" "$scratch/original"
    echo "${p[0]}" >> "$scratch/planted"
    plant "$file" "${p[1]}" "${p[2]}"
    verdict=missed
    if [ -n "$first" ] && ! cmake --build "$build" -j"$jobs" --target fondalis_data ${first//|/ } > "$log" 2>&1; then
        verdict=broken
    elif [ -n "$first" ] && ! suite -R "^($first)\$" >> "$log" 2>&1; then
        verdict=caught
    elif ! cmake --build "$build" -j"$jobs" >> "$log" 2>&1; then
        verdict=broken
    else
        rest=${first:+^($first)\$}
        [ -n "$exclude" ] && rest=${rest:+$rest|}$exclude
        suite ${rest:+-E "$rest"} >> "$log" 2>&1 || verdict=caught
    fi
    # A plain copy gives the file a new time, so the next build retakes it.
    cp "$scratch/original" "$file"
    case $verdict in
    caught) caught=$((caught + 1)) ;;
    missed) missed=$((missed + 1)); missing+=("$f") ;;
    broken) broken=$((broken + 1)); missing+=("does not build: $f") ;;
    esac
    printf '%3d %-7s %s\n' "$n" "$verdict" "${p[0]}: ${p[1]}"
done

echo
for f in "${missing[@]}"; do echo "NOT CAUGHT: $f"; done
[ $broken -eq 0 ] || echo "$broken faults do not build: fix scripts/faults.txt"
echo "$caught caught, $missed missed"
[ $missed -eq 0 ] && [ $broken -eq 0 ]
