#!/usr/bin/env bash
# Start-up cost of Tarvex beside a bare Qt window with the same thirty widgets: the median
# time from exec until the window is mapped, and the median peak RSS, over RUNS alternating
# runs on a virtual X display.
#   tools/measure-startup.sh [RUNS]    (default 15; needs a build with the window)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}
bin=build/default

source tests/e2e/x_session.sh
start_x
export DBUS_SESSION_BUS_ADDRESS=disabled:

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

declare -A times rss
for _ in $(seq "$runs"); do
    for program in tarvex bare; do
        case $program in
            tarvex) command=("$bin/ui/tarvex") ;;
            bare) command=("$bin/tools/tarvex-bare-window") ;;
        esac
        read -r ms kib < <("$bin/tools/tarvex-map-timer" 300 "${command[@]}" 2>/dev/null)
        times[$program]+="$ms"$'\n'
        rss[$program]+="$kib"$'\n'
    done
done

for program in tarvex bare; do
    printf '%-7s map %6s ms   peak RSS %6s KiB\n' "$program" \
        "$(printf '%s' "${times[$program]}" | median)" "$(printf '%s' "${rss[$program]}" | median)"
done
