#!/usr/bin/env bash
# Starts Tarvex on a virtual X display and saves a screenshot of its window.
#   tools/screenshot-window.sh [output.png]    (default: docs/window.png)
# Needs a build (tools/test.sh or tools/run.sh makes one) and the packages of
# tools/install-deps.sh test.
set -euo pipefail
cd "$(dirname "$0")/.."
output=${1:-docs/window.png}
program=build/default/ui/tarvex

display=:$((90 + RANDOM % 400))
Xvfb "$display" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
pids=("$xvfb")
cleanup() { kill "${pids[@]}" 2>/dev/null || true; wait 2>/dev/null || true; }
trap cleanup EXIT
export DISPLAY=$display DBUS_SESSION_BUS_ADDRESS=disabled:
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done

openbox >/dev/null 2>&1 &
pids+=($!)
"$program" &
pids+=($!)

window=""
for _ in $(seq 200); do
    window=$(xdotool search --onlyvisible --name 'Tarvex' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.05
done
[ -n "$window" ] || { echo "screenshot-window: the window did not appear" >&2; exit 1; }
sleep 0.5
mkdir -p "$(dirname "$output")"
import -window "$window" -frame "$output"
echo "saved $output"
