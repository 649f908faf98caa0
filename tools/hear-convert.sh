#!/usr/bin/env bash
# Hears 转换 as an Orca user does: Orca on a private desktop (Xvfb, openbox, a session bus and
# the accessibility bus), speaking through a speech-dispatcher module that writes down each text
# it is given instead of sounding it. Types 101 (binary to decimal is chosen at the start),
# presses Space on 转换, then Tab and Shift+Tab back to it and Space once more, and prints what
# Orca said after each key. Needs what `tools/install-deps.sh accessibility` installs.
#   tools/hear-convert.sh [PROGRAM]    (default build/default/linux/tarvex)
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build/default/linux/tarvex}")
source tests/desktop/x_session.sh

start_x
start_window_manager
start_session_bus
export HOME=$scratch/home
mkdir -p "$HOME"

spoken=$scratch/spoken
touch "$spoken"
mkdir -p "$scratch/speechd/modules"
cat >"$scratch/speechd/speechd.conf" <<CONF
AddModule "record" "sd_generic" "record.conf"
DefaultModule record
DefaultLanguage "zh"
AudioOutputMethod "alsa"
AudioALSADevice "null"
CONF
cat >"$scratch/speechd/modules/record.conf" <<CONF
GenericExecuteSynth "printf '%s\\\\n' \'\$DATA\' >> '$spoken'"
GenericLanguage "en" "en" "utf-8"
GenericLanguage "zh" "zh" "utf-8"
AddVoice "zh" "MALE1" "zh"
CONF
speech-dispatcher --run-single --timeout 0 --config-dir "$scratch/speechd" \
    --log-dir "$logs" >"$logs/speechd.out" 2>&1 &
started_pids+=($!)
speechd_listens() { test -S "$XDG_RUNTIME_DIR/speech-dispatcher/speechd.sock"; }
wait_for 60 speechd_listens || fail "speech-dispatcher did not start: $(cat "$logs/speechd.out")"

/usr/libexec/at-spi-bus-launcher --launch-immediately >"$logs/at-spi" 2>&1 &
started_pids+=($!)
a11y_bus_up() { dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1; }
wait_for 60 a11y_bus_up || fail "the accessibility bus did not start: $(cat "$logs/at-spi")"

orca --replace --debug-file "$logs/orca-debug" >"$logs/orca.out" 2>&1 &
started_pids+=($!)
said() { holds "$(cat "$spoken")" "$1"; }
wait_for 60 said "Screen reader on" || wait_for 60 said "屏幕阅读器" ||
    fail "Orca said nothing: $(cat "$logs/orca.out")"

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb "$program" >"$logs/program" 2>&1 &
started_pids+=($!)
window=$(window_of --pid $!)
xdotool windowactivate --sync "$window"
wait_for 60 said "二进制" || fail "Orca did not speak the focused radio button"

# Says what Orca said after the keys, once it has said `expected`.
after_keys() {
    local expected=$1 from
    from=$(wc -l <"$spoken")
    shift
    xdotool key "$@"
    new_speech() { holds "$(tail -n +$((from + 1)) "$spoken")" "$expected"; }
    wait_for 60 new_speech || fail "Orca did not say $expected: $(tail -n +$((from + 1)) "$spoken")"
    echo "--- after $*:"
    tail -n +$((from + 1)) "$spoken"
}
after_keys 转换 Tab Tab 1 0 1 Tab Tab
after_keys 输出结果框 space
after_keys 退出 Tab
after_keys 转换 shift+Tab
after_keys 输出结果框 space
