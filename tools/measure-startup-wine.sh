#!/usr/bin/env bash
# Start-up cost of the Windows program beside a bare Win32 window with the same parts, icon and
# manifest (tools/startup/bare_win32_window.cpp), under Wine on a virtual X display with a
# notification area (trayer, XEmbed) and no window manager, so that the timer sees the
# program's own window mapped. One prefix serves every run: its server is kept up and a console
# stays open, so that Wine's desktop process (desktop and notification area) lives on between
# runs as Explorer does on Windows, and each start waits until the last program's icon has been
# cleared. After a round that warms the prefix up and is not counted, RUNS alternating runs of
# each; for each program the median time from exec until its window is mapped, until it has
# drawn its first frame, and its median peak resident memory, then Tarvex's figures as
# multiples of the bare window's.
#   tools/measure-startup-wine.sh [RUNS] [PRESET]
# RUNS defaults to 21; PRESET is windows (32-bit, the default) or windows-x64, whose build
# makes tarvex and tarvex-bare-win32-window, as the default build makes the tarvex-map-timer
# that times the runs; both builds have to be configured.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-21}
preset=${2:-windows}
bin=build/$preset
timer=build/default/tools/tarvex-map-timer
case $preset in
    windows) loader=/usr/lib/wine/wine arch=win32 ;;
    windows-x64) loader=/usr/lib/wine/wine64 arch=win64 ;;
    *) echo "usage: $0 [RUNS] [windows|windows-x64]" >&2; exit 2 ;;
esac
for build in build/default "$bin"; do
    [ -e "$build/build.ninja" ] || { echo "missing $build: configure and build it first" >&2; exit 1; }
done
cmake --build build/default --target tarvex-map-timer >/dev/null
cmake --build "$bin" --target tarvex tarvex-bare-win32-window >/dev/null

source tests/win32/wine_session.sh
start_x 1366x768x24
export DBUS_SESSION_BUS_ADDRESS=disabled:
start_tray --widthtype pixel --width 64
start_wine "$loader" "$arch"

# The server that made the prefix ends on its own; a persistent one takes its place.
wineserver -w
wineserver -p
console_input=$scratch/console-input
mkfifo "$console_input"
# Held open here for writing, the console's input never ends.
exec 7<>"$console_input"
run_wine cmd <"$console_input" >"$logs/console-output" 2>&1 &
started_pids+=($!)

source tools/startup/time_alternately.sh
tarvex_command=("$loader" "$bin/win32/tarvex.exe")
bare_command=("$loader" "$bin/tools/tarvex-bare-win32-window.exe")
# The icon of a program that the timer has ended goes a moment later, and a start within about
# 3 s of it waits inside Shell_NotifyIcon for Wine's desktop to clear it: each start waits
# until the notification area is empty, then 3.5 s.
tray_empty() { ! find_wine_icon 2>/dev/null; }
settle() {
    wait_for 30 tray_empty || fail "the last program's icon stayed"
    sleep 3.5
}
time_alternately 1 "$timer" settle >/dev/null
time_alternately "$runs" "$timer" settle
