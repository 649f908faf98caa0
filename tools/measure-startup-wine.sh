#!/usr/bin/env bash
# Start-up cost of the Windows program beside a bare Win32 window with the same parts, icon and
# manifest (tools/startup/bare_win32_window.cpp), under Wine in one prefix that serves every run
# (tools/startup/wine_timing_session.sh). After a round that warms the prefix up and is not
# counted, RUNS alternating runs of each; for each program the median time from exec until its
# window is mapped, until it has drawn its first frame, and its median peak resident memory,
# then Tarvex's figures as multiples of the bare window's.
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

source tools/startup/wine_timing_session.sh
source tools/startup/time_alternately.sh
tarvex_command=("$loader" "$bin/win32/tarvex.exe")
bare_command=("$loader" "$bin/tools/tarvex-bare-win32-window.exe")
time_alternately 1 "$timer" settle >/dev/null
time_alternately "$runs" "$timer" settle
