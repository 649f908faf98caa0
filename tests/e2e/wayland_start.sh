#!/usr/bin/env bash
# On a Wayland compositor without a notification area (weston, headless) the program draws its
# window, gives the compositor its desktop entry's name, and prints nothing.
#   wayland_start.sh TARVEX
set -euo pipefail
program=$1
source "$(dirname "$0")/x_session.sh"

XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
socket=tarvex-wayland-$$
weston --backend=headless-backend.so --socket="$socket" --idle-time=0 >"$XDG_RUNTIME_DIR/weston.log" 2>&1 &
started_pids+=($!)
weston_listens() { test -S "$XDG_RUNTIME_DIR/$socket"; }
wait_for 60 weston_listens || fail "weston did not start: $(cat "$XDG_RUNTIME_DIR/weston.log")"

# The client's side of the protocol, which Wayland's library writes to standard error in lines
# of their own, tells when the window has drawn its first frame.
env -u DISPLAY -u QT_QPA_PLATFORM WAYLAND_DISPLAY="$socket" DBUS_SESSION_BUS_ADDRESS=disabled: \
    WAYLAND_DEBUG=client "$program" >"$XDG_RUNTIME_DIR/output" 2>&1 &
tarvex=$!
started_pids+=("$tarvex")
protocol() { awk '/^\[ *[0-9.]+\] / { sub(/^\[ *[0-9.]+\] +/, ""); print }' "$XDG_RUNTIME_DIR/output"; }
printed() { awk '!/^\[ *[0-9.]+\] /' "$XDG_RUNTIME_DIR/output"; }
first_frame_drawn() { protocol | awk '/wl_surface@[0-9]+\.attach\(wl_buffer@/ { found = 1 } END { exit !found }'; }
wait_for 60 first_frame_drawn || fail "no frame was drawn: $(printed)"
kill -0 "$tarvex" 2>/dev/null || fail "the program ended: $(printed)"
holds "$(protocol)" 'set_app_id("tarvex")' || fail "the window does not name its desktop entry"
[ -z "$(printed)" ] || fail "the program printed: $(printed)"
echo "ok: on Wayland the program draws its window, names its desktop entry and prints nothing"
