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

# A virtual X display on a number that the X server picks itself, so that tests running side
# by side never take the same one.
start_x() {
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "${1:-1280x900x24}" -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
    started_pids+=($!)
    xvfb_pid=$!
    local display
    read -r -t 10 display <"$fifo" || fail "Xvfb did not start"
    rm -f "$fifo"
    export DISPLAY=":$display"
    XDG_RUNTIME_DIR=$(mktemp -d)
    export XDG_RUNTIME_DIR
    wait_for 10 sh -c 'xdpyinfo >/dev/null 2>&1' || fail "Xvfb on $DISPLAY does not answer"
}

start_desktop() {
    start_x "$@"
    # No session bus: Qt then puts its icon into the XEmbed notification area of trayer.
    export DBUS_SESSION_BUS_ADDRESS=disabled:

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

# Helpers on the windows of the program with process id $1.
# The main window, once it is on the screen.
window_of() {
    wait_for 10 sh -c "xdotool search --all --onlyvisible --pid $1 --name Olmira >/dev/null" \
        || fail "the window did not appear"
    xdotool search --all --pid "$1" --name Olmira 2>/dev/null | head -n 1
}
# The icon: a small window of the program's that the tray has taken in (its parent is no
# longer the root window).
icon=""
find_icon() {
    local candidate
    for candidate in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null); do
        if [ "$(width_of "$candidate")" -le 32 ] && [ "$(parent_of "$candidate")" != "$(root_id)" ]; then
            icon=$candidate
            return 0
        fi
    done
    return 1
}
# Windows of the program's that are tool-tips: the balloon is the tall one, the tool-tip the
# low one.
tooltip_windows() {
    local candidate
    for candidate in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null); do
        xprop -id "$candidate" _NET_WM_WINDOW_TYPE | grep -q TOOLTIP && echo "$candidate"
    done
    return 0
}
balloon_shown() {
    local candidate
    for candidate in $(tooltip_windows "$1"); do
        [ "$(height_of "$candidate")" -ge 50 ] && { balloon=$candidate; return 0; }
    done
    return 1
}
tooltip_shown() {
    local candidate
    for candidate in $(tooltip_windows "$1"); do
        [ "$(height_of "$candidate")" -lt 50 ] && return 0
    done
    return 1
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
