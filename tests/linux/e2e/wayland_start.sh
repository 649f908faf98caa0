#!/usr/bin/env bash
# On a Wayland compositor without a notification area (weston, headless) the program draws its
# window, fitted to the screen with the frame that Qt draws there and room for a panel, gives
# the compositor its desktop entry's name, and prints nothing.
#   wayland_start.sh TARVEX
set -euo pipefail
program=$1
source "$(dirname "$0")/../../desktop/x_session.sh"

export XDG_RUNTIME_DIR=$scratch/runtime
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
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
! process_ended "$tarvex" || fail "the program ended: $(printed)"
holds "$(protocol)" 'set_app_id("tarvex")' || fail "the window does not name its desktop entry"
# The window's first frame, the title bar and borders that Qt draws there included, leaves room
# on the screen for a panel (GNOME's top bar is 32 px): mutter maximises a new window that is
# taller than its work area.
sizes=$(protocol | awk -F'[(), ]+' '
    /wl_output@[0-9]+\.mode\(/ && !screen { screen = $3 " " $4 }
    /set_window_geometry\(/ { frame = $5 " " $6 }
    /wl_surface@[0-9]+\.attach\(wl_buffer@/ { print screen, frame; exit }')
read -r screen_width screen_height frame_width frame_height <<<"$sizes"
[ -n "$frame_height" ] || fail "no window geometry before the first frame: $sizes"
[ "$frame_width" -le "$screen_width" ] && [ "$frame_height" -le $((screen_height - 32)) ] ||
    fail "the first frame is ${frame_width}x${frame_height} on a ${screen_width}x${screen_height} screen"
[ -z "$(printed)" ] || fail "the program printed: $(printed)"
echo "ok: on Wayland the program draws its window (${frame_width}x${frame_height} with its frame on ${screen_width}x${screen_height}), names its desktop entry and prints nothing"
