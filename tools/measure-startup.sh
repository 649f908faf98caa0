#!/usr/bin/env bash
# Start-up cost of Tarvex beside a bare Qt window with the same parts (tools/startup/
# bare_window.cpp), on a virtual X display set up as a desktop has it: a notification area
# (trayer, XEmbed) and a session bus of its own. RUNS alternating runs of each; for each
# program the median time from exec until its window is mapped, until it has drawn its first
# frame, and its median peak resident memory, then Tarvex's figures as multiples of the bare
# window's.
#   tools/measure-startup.sh [RUNS]    (default 21; needs the default build)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-21}
bin=build/default
cmake --build "$bin" --target tarvex tarvex-bare-window tarvex-map-timer >/dev/null

source tests/desktop/x_session.sh
start_x
# No window manager: the timer sees the program's own window mapped, not a frame around it.
start_tray
start_session_bus

source tools/startup/time_alternately.sh
tarvex_command=("$bin/linux/tarvex")
bare_command=("$bin/tools/tarvex-bare-window")
time_alternately "$runs" "$bin/tools/tarvex-map-timer"
