#!/usr/bin/env bash
# Starts PROGRAM on the current X display and checks that its main window
# shows EXPECTED (a map picture) pixel for pixel.
set -euo pipefail
program=$1
expected=$2
scratch=$(mktemp -d)
HOME=$scratch XDG_CONFIG_HOME=$scratch QT_QPA_PLATFORM=xcb "$program" &
pid=$!
cleanup() {
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

id=$(timeout 30 xdotool search --sync --onlyvisible --name 'Fondalis - Simulatore' | head -n 1 || true)
if [ -z "$id" ]; then
    echo "FAIL: $program: no main window"
    exit 1
fi
eval "$(xdotool getwindowgeometry --shell "$id")"
# The splash screen covers the map for its first four seconds.
sleep 5.5
kill -0 "$pid" || { echo "FAIL: $program ended"; exit 1; }
import -window root -crop "512x512+$((X + 10))+$((Y + 10))" +repage "$scratch/shown.png"
differing=$(compare -metric AE "$expected" "$scratch/shown.png" null: 2>&1 || true)
if [ "$differing" != 0 ]; then
    echo "FAIL: $program does not show $expected ($differing pixels differ)"
    exit 1
fi
echo "ok: $program shows $expected"
