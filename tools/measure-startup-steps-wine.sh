#!/usr/bin/env bash
# Where the Windows program's time until its first frame goes, step by step, beside the same
# steps of the bare Win32 window (tools/startup/bare_win32_window.cpp), under Wine as
# tools/measure-startup-wine.sh times them. Both programs are built with their steps timed
# (-DTARVEX_STARTUP_STEPS=ON, win32/startup_steps.h) in a build of their own, build/PRESET-steps,
# which the shipped program's build never is. After a round that warms the prefix up and is not
# counted, RUNS alternating runs of each; prints each step's median in milliseconds as a
# Markdown table, a dash where a program has no such step, and below the steps the timer's
# figures of the same runs.
#   tools/measure-startup-steps-wine.sh [RUNS] [PRESET]
# RUNS defaults to 21; PRESET is windows (32-bit, the default) or windows-x64. The default build
# has to be configured, for the timer.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-21}
preset=${2:-windows}
bin=build/$preset-steps
timer=build/default/tools/tarvex-map-timer
case $preset in
    windows) loader=/usr/lib/wine/wine arch=win32 ;;
    windows-x64) loader=/usr/lib/wine/wine64 arch=win64 ;;
    *) echo "usage: $0 [RUNS] [windows|windows-x64]" >&2; exit 2 ;;
esac
[ -e build/default/build.ninja ] || { echo "missing build/default: configure it first" >&2; exit 1; }
[ -e "$bin/build.ninja" ] ||
    cmake --preset "$preset" -B "$bin" -DBUILD_TESTING=OFF -DTARVEX_STARTUP_STEPS=ON >/dev/null
cmake --build build/default --target tarvex-map-timer >/dev/null
cmake --build "$bin" --target tarvex tarvex-bare-win32-window >/dev/null

source tools/startup/wine_timing_session.sh
source tools/startup/time_alternately.sh

declare -A command=(
    [tarvex]="$loader $bin/win32/tarvex.exe"
    [bare]="$loader $bin/tools/tarvex-bare-win32-window.exe"
)
declare -A values seen
steps=()
# Each program writes its steps to standard error the first time it waits for a message.
ms_to_us() { awk -v ms="$1" 'BEGIN { printf "%d", ms * 1000 }'; }
add() {
    [[ -v seen[$2] ]] || { seen[$2]=1; steps+=("$2"); }
    values[$1.$2]+="$3"$'\n'
}
time_steps() {
    local program name us map_ms frame_ms
    for program in tarvex bare; do
        settle
        # shellcheck disable=SC2086 # the command is words without spaces
        read -r map_ms frame_ms _ < <("$timer" 300 ${command[$program]} 2>"$scratch/steps")
        while IFS=$'\t' read -r name us; do
            if [[ $us =~ ^[0-9]+$ ]]; then add "$program" "$name" "$us"; fi
        done <"$scratch/steps"
        add "$program" "mapped (timer, from exec)" "$(ms_to_us "$map_ms")"
        add "$program" "first frame (timer, from exec)" "$(ms_to_us "$frame_ms")"
    done
}
time_steps
values=()
for _ in $(seq "$runs"); do time_steps; done

milliseconds() {
    [[ -v values[$1.$2] ]] || { echo -; return; }
    printf '%s' "${values[$1.$2]}" | median | awk '{ printf "%.1f", $1 / 1000 }'
}
echo "| step (median of $runs runs, ms) | Tarvex | bare window |"
echo "|---|---:|---:|"
for name in "${steps[@]}"; do
    echo "| $name | $(milliseconds tarvex "$name") | $(milliseconds bare "$name") |"
done
