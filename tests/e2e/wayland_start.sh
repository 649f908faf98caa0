#!/usr/bin/env bash
# On a Wayland compositor without a notification area (weston, headless) the program starts
# and keeps running without printing anything.
#   wayland_start.sh TARVEX
set -euo pipefail
program=$1
source "$(dirname "$0")/x_session.sh"

XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
socket=tarvex-wayland-$$
weston --backend=headless-backend.so --socket="$socket" --idle-time=0 >"$XDG_RUNTIME_DIR/weston.log" 2>&1 &
started_pids+=($!)
wait_for 10 test -S "$XDG_RUNTIME_DIR/$socket" || fail "weston did not start: $(cat "$XDG_RUNTIME_DIR/weston.log")"

env -u DISPLAY -u QT_QPA_PLATFORM WAYLAND_DISPLAY="$socket" DBUS_SESSION_BUS_ADDRESS=disabled: \
    "$program" >"$XDG_RUNTIME_DIR/output" 2>&1 &
tarvex=$!
started_pids+=("$tarvex")
sleep 3
kill -0 "$tarvex" 2>/dev/null || fail "the program ended: $(cat "$XDG_RUNTIME_DIR/output")"
[ ! -s "$XDG_RUNTIME_DIR/output" ] || fail "the program printed: $(cat "$XDG_RUNTIME_DIR/output")"
echo "ok: on Wayland the program runs after 3 s and has printed nothing"
