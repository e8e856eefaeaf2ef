#!/usr/bin/env bash
# Starts the studio PROGRAM on the current X display with SURVEY and checks
# that it opened the survey on its own area: the window names the survey,
# and the map of the area fills much of it. Closed by a close request, it
# exits 0 and leaves its home folder empty.
set -euo pipefail
program=$1
survey=$2
scratch=$(mktemp -d)
mkdir "$scratch/home" "$scratch/config"
HOME=$scratch/home XDG_CONFIG_HOME=$scratch/config QT_QPA_PLATFORM=xcb "$program" "$survey" &
pid=$!
cleanup() {
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "FAIL: $program: $*"; exit 1; }

id=$(timeout 30 xdotool search --sync --onlyvisible --name 'Fondalis Studio' | head -n 1 || true)
[ -n "$id" ] || fail "no window"
name=$(basename "$survey")
for _ in $(seq 50); do
    xdotool getwindowname "$id" | grep -qF "$name" && break
    sleep 0.1
done
xdotool getwindowname "$id" | grep -qF "$name · Mappa" || fail "the window does not show $name: $(xdotool getwindowname "$id")"
sleep 1
import -window "$id" "$scratch/shown.png"
# The sea of the area's map is blue; without the area the tab holds a
# message on white.
blue=$(convert "$scratch/shown.png" -fx 'b > r + 0.15' -format '%[fx:mean]' info:)
awk -v b="$blue" 'BEGIN { exit !(b > 0.2) }' || fail "no map of the area in the window (blue share $blue)"

# "Esci" by its shortcut, once a click on the list of surveys has given the
# window the keyboard (there is no window manager to give it).
xdotool mousemove --window "$id" 100 300 click 1
sleep 0.5
xdotool key ctrl+q
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then fail "still running after the close request"; fi
status=0
wait "$pid" || status=$?
[ "$status" = 0 ] || fail "exit status $status"
left=$(find "$scratch/home" "$scratch/config" -mindepth 1)
[ -z "$left" ] || fail "wrote $left"
echo "ok: $program shows $name on its area"
