#!/usr/bin/env bash
# Starts Tarvex on a virtual X display under openbox and saves a screenshot of its window.
#   tools/screenshot-window.sh [output.png] ["Family,points"]
# (default: docs/window.png, Qt's fallback 9 pt font). A font is given to the program as KDE
# Plasma gives it, through kdeglobals. Needs a build (tools/test.sh or tools/run.sh makes one)
# and the packages of tools/install-deps.sh test.
set -euo pipefail
cd "$(dirname "$0")/.."
output=${1:-docs/window.png}
font=${2:-}
program=$PWD/build/default/ui/tarvex
source tests/e2e/x_session.sh

start_x
export DBUS_SESSION_BUS_ADDRESS=disabled:
start_window_manager

if [ -n "$font" ]; then
    HOME=$(mktemp -d)
    mkdir -p "$HOME/.config"
    printf '[General]\nfont=%s,-1,5,50,0,0,0,0,0\n' "$font" >"$HOME/.config/kdeglobals"
    export HOME XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=5
fi
"$program" &
started_pids+=($!)
window=$(window_of $!)
# The window paints a moment after it is mapped, and X tells no event for that.
sleep 0.5
mkdir -p "$(dirname "$output")"
import -window "$window" -frame "$output"
echo "saved $output"
