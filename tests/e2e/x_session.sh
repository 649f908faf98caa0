# Sourced by the end-to-end tests: a private X desktop (Xvfb, the openbox window manager and
# the trayer notification area) and helpers to look at windows. Every process started here is
# recorded and ended by its id when the script exits.

started_pids=()
end_started() {
    for pid in "${started_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${started_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
}
trap end_started EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# Polls `condition` (a command) every 50 ms for up to `seconds`.
wait_for() {
    local seconds=$1; shift
    local tries=$((seconds * 20))
    for _ in $(seq "$tries"); do "$@" && return 0; sleep 0.05; done
    return 1
}

start_desktop() {
    local display
    for display in $(seq 140 240); do
        [ -e "/tmp/.X$display-lock" ] || break
    done
    Xvfb ":$display" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
    started_pids+=($!)
    xvfb_pid=$!
    export DISPLAY=":$display"
    # No session bus: Qt then puts its icon into the XEmbed notification area of trayer.
    export DBUS_SESSION_BUS_ADDRESS=disabled:
    XDG_RUNTIME_DIR=$(mktemp -d)
    export XDG_RUNTIME_DIR
    wait_for 10 sh -c 'xdpyinfo >/dev/null 2>&1' || fail "Xvfb did not start"
    kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb on $DISPLAY ended at once (display taken?)"

    local logs attempt
    logs=$(mktemp -d)
    # Seen once in CI: openbox not up after 10 s, for a reason its output now tells; a second
    # start is tried before giving up.
    for attempt in 1 2; do
        openbox --sm-disable >"$logs/openbox" 2>&1 &
        started_pids+=($!)
        wait_for 15 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' && break
        echo "openbox did not start (attempt $attempt): $(cat "$logs/openbox")" >&2
        [ "$attempt" -eq 2 ] && fail "no window manager"
    done

    trayer --edge bottom --align right --widthtype request --height 28 --transparent false \
        >"$logs/trayer" 2>&1 &
    started_pids+=($!)
    wait_for 20 sh -c 'xdotool search --onlyvisible --class trayer >/dev/null' \
        || fail "trayer did not start: $(cat "$logs/trayer")"
}

is_viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }
is_unmapped() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsUnMapped'; }
width_of() { xwininfo -id "$1" | awk '/Width:/ { print $2 }'; }
height_of() { xwininfo -id "$1" | awk '/Height:/ { print $2 }'; }
net_wm_state() { xprop -id "$1" _NET_WM_STATE 2>/dev/null; }
absolute_left() { xwininfo -id "$1" | awk '/Absolute upper-left X:/ { print $4 }'; }
absolute_top() { xwininfo -id "$1" | awk '/Absolute upper-left Y:/ { print $4 }'; }
parent_of() { xwininfo -id "$1" -tree | awk '/Parent window id:/ { print $4 }'; }
root_id() { xwininfo -root | awk '/Window id:/ { print $4 }'; }
