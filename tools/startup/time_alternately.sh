# Sourced by the start-up measurements: times Tarvex and its bare window in turn and reports,
# for each, the median time from exec until its window is mapped, until it has drawn its first
# frame, and its median peak resident memory, then Tarvex's figures as multiples of the bare
# window's.
#   time_alternately RUNS TIMER [SETTLE...]
# runs the commands in the arrays tarvex_command and bare_command RUNS times each, in turn,
# under TIMER (tarvex-map-timer), each start after the command SETTLE (if given) has returned;
# each run's figures go to standard error as they come.

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

time_alternately() {
    local runs=$1 timer=$2 program figure map_ms frame_ms kib
    shift 2
    local -A mapped drawn rss median_of
    for _ in $(seq "$runs"); do
        for program in tarvex bare; do
            local -n command=${program}_command
            [ $# -eq 0 ] || "$@"
            read -r map_ms frame_ms kib < <("$timer" 300 "${command[@]}" 2>/dev/null)
            echo "$program $map_ms $frame_ms $kib" >&2
            mapped[$program]+="$map_ms"$'\n'
            drawn[$program]+="$frame_ms"$'\n'
            rss[$program]+="$kib"$'\n'
            unset -n command
        done
    done
    for program in tarvex bare; do
        for figure in mapped drawn rss; do
            local -n values=$figure
            median_of[$program.$figure]=$(printf '%s' "${values[$program]}" | median)
            unset -n values
        done
        printf '%-7s mapped %6s ms   first frame %6s ms   peak RSS %6s KiB\n' "$program" \
            "${median_of[$program.mapped]}" "${median_of[$program.drawn]}" "${median_of[$program.rss]}"
    done
    ratio() { awk -v a="${median_of[tarvex.$1]}" -v b="${median_of[bare.$1]}" 'BEGIN { printf "%.3f", a / b }'; }
    echo "tarvex / bare over $runs runs: mapped $(ratio mapped)x   first frame $(ratio drawn)x   peak RSS $(ratio rss)x"
}
