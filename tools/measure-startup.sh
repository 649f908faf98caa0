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

source tests/desktop/x_session.sh
start_x
# No window manager: the timer sees the program's own window mapped, not a frame around it.
start_tray
start_session_bus

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

declare -A mapped drawn rss
for _ in $(seq "$runs"); do
    for program in tarvex bare; do
        case $program in
            tarvex) command=("$bin/linux/tarvex") ;;
            bare) command=("$bin/tools/tarvex-bare-window") ;;
        esac
        read -r map_ms frame_ms kib < <("$bin/tools/tarvex-map-timer" 300 "${command[@]}" 2>/dev/null)
        mapped[$program]+="$map_ms"$'\n'
        drawn[$program]+="$frame_ms"$'\n'
        rss[$program]+="$kib"$'\n'
    done
done

declare -A median_of
for program in tarvex bare; do
    for figure in mapped drawn rss; do
        declare -n values=$figure
        median_of[$program.$figure]=$(printf '%s' "${values[$program]}" | median)
    done
    printf '%-7s mapped %6s ms   first frame %6s ms   peak RSS %6s KiB\n' "$program" \
        "${median_of[$program.mapped]}" "${median_of[$program.drawn]}" "${median_of[$program.rss]}"
done
ratio() { awk -v a="${median_of[tarvex.$1]}" -v b="${median_of[bare.$1]}" 'BEGIN { printf "%.3f", a / b }'; }
echo "tarvex / bare over $runs runs: mapped $(ratio mapped)x   first frame $(ratio drawn)x   peak RSS $(ratio rss)x"
