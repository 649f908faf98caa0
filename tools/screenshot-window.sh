#!/usr/bin/env bash
# Starts Tarvex on a virtual X display under openbox and saves a screenshot of its window.
#   tools/screenshot-window.sh [output.png] ["Family,points"] [WIDTHxHEIGHT]
# (default: docs/window.png, Qt's fallback 9 pt font). A font is given to the program as KDE
# Plasma gives it, through kdeglobals. With a screen size, the screen has a panel along its
# bottom edge that keeps windows off it, as desktops have, and the whole screen is saved.
# Needs a build (tools/test.sh or tools/run.sh makes one) and the packages of
# tools/install-deps.sh test.
set -euo pipefail
cd "$(dirname "$0")/.."
output=${1:-docs/window.png}
font=${2:-}
screen=${3:-}
program=$PWD/build/default/linux/tarvex
source tests/desktop/x_session.sh

start_x "${screen:+${screen}x24}"
export DBUS_SESSION_BUS_ADDRESS=disabled:
start_window_manager
if [ -n "$screen" ]; then
    start_tray --SetDockType true --SetPartialStrut true --widthtype percent --width 100
    panel_reserved() { ! holds "$(root_property _NET_WORKAREA)" "${screen/x/, }"; }
    wait_for 60 panel_reserved || fail "the panel reserved no room: $(root_property _NET_WORKAREA)"
fi

if [ -n "$font" ]; then
    HOME=$(mktemp -d)
    mkdir -p "$HOME/.config"
    printf '[General]\nfont=%s,-1,5,50,0,0,0,0,0\n' "$font" >"$HOME/.config/kdeglobals"
    export HOME XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=5
fi
"$program" 2>/dev/null &
tarvex=$!
started_pids+=("$tarvex")
window=$(window_of --pid "$tarvex")
wait_for 60 is_active "$window" || fail "the window was not made active"
if [ -n "$screen" ]; then
    # The greeting covers a corner of the window for its ten seconds.
    wait_for 60 balloon_shown --pid "$tarvex" || fail "the greeting did not appear"
    balloon_gone() { ! balloon_shown --pid "$tarvex"; }
    wait_for 60 balloon_gone || fail "the greeting did not go"
fi
# The window paints a moment after it is mapped, and X tells no event for that.
sleep 0.5
mkdir -p "$(dirname "$output")"
if [ -n "$screen" ]; then
    import -window root "$output"
else
    import -window "$window" -frame "$output"
fi
echo "saved $output"
