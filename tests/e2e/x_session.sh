# Sourced by the end-to-end tests: a private X desktop (Xvfb, the openbox window manager and
# the trayer notification area) and helpers to look at windows. Every process started here is
# recorded and ended by its id when the script exits.
#
# Nothing here waits for a fixed time: every wait polls for the event it needs, up to a bound
# that only a broken desktop reaches (a machine busy with other work is slow, not broken), and
# says what it waited for when the bound is hit. Output that is searched is captured first, so
# that no reader stops a writer that is still writing.

# The session's own folder, for the logs of what it starts, its runtime folder and its bus. It
# goes when the script ends, unless the script failed: then it stays for a look.
scratch=$(mktemp -d "${TMPDIR:-/tmp}/tarvex-session.XXXXXX")
logs=$scratch

started_pids=()
end_started() {
    local status=${1:-$?}
    for pid in "${started_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${started_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    # 77: skipped, as CTest is told.
    if [ "$status" -eq 0 ] || [ "$status" -eq 77 ]; then
        rm -rf "$scratch"
    else
        echo "the session's logs are kept in $scratch" >&2
    fi
}
trap end_started EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# Polls `condition` (a command) every 50 ms until it succeeds or `seconds` have passed.
wait_for() {
    local seconds=$1; shift
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        if [ "$SECONDS" -ge "$deadline" ]; then
            echo "gave up after ${seconds} s waiting for: $*" >&2
            return 1
        fi
        sleep 0.05
    done
}

# Whether text holds a string, without a pipeline.
holds() { [[ $1 == *"$2"* ]]; }

# A virtual X display on a number that the X server picks itself, so that tests running side
# by side never take the same one.
start_x() {
    local fifo=$scratch/display
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "${1:-1280x900x24}" -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
    started_pids+=($!)
    xvfb_pid=$!
    local display
    read -r -t 60 display <"$fifo" || fail "Xvfb did not tell its display number within 60 s"
    rm -f "$fifo"
    export DISPLAY=":$display"
    export XDG_RUNTIME_DIR=$scratch/runtime
    mkdir -p -m 700 "$XDG_RUNTIME_DIR"
    wait_for 60 xdpyinfo_answers || fail "Xvfb on $DISPLAY does not answer"
}
xdpyinfo_answers() { xdpyinfo >/dev/null 2>&1; }

# The root window's property, as xprop prints it.
root_property() { xprop -root "$1" 2>/dev/null; }

# openbox says it is the window manager before it listens for windows to manage: a window
# mapped in between (trayer's panel, on a busy machine) was seen never to be managed and so
# never shown. The client list appears once openbox listens.
window_manager_listens() { holds "$(root_property _NET_CLIENT_LIST)" 'window id #'; }

start_window_manager() {
    openbox --sm-disable >"$logs/openbox" 2>&1 &
    started_pids+=($!)
    wait_for 60 window_manager_listens \
        || fail "openbox did not come up: $(cat "$logs/openbox")"
}

# trayer, once its panel is on the screen.
trayer_shown() { [ -n "$(xdotool search --onlyvisible --class trayer 2>/dev/null)" ]; }

# trayer at the bottom right, with any further options given.
start_tray() {
    trayer --edge bottom --align right --widthtype request --height 28 --transparent false "$@" \
        >"$logs/trayer" 2>&1 &
    trayer_pid=$!
    started_pids+=("$trayer_pid")
    wait_for 60 trayer_shown || fail "trayer's panel was not shown: $(cat "$logs/trayer")"
}

start_desktop() {
    start_x "$@"
    # No session bus: Qt then puts its icon into the XEmbed notification area of trayer.
    export DBUS_SESSION_BUS_ADDRESS=disabled:
    start_window_manager
    start_tray
}

# A session bus of the session's own, from which nothing is started by activation.
start_session_bus() {
    cat >"$logs/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=$logs</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF
    dbus-daemon --config-file="$logs/bus.conf" --nofork --print-address=3 3>"$logs/address" \
        2>"$logs/bus" &
    started_pids+=($!)
    wait_for 60 bus_started || fail "the session bus did not start: $(cat "$logs/bus")"
    DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$logs/address")
    export DBUS_SESSION_BUS_ADDRESS
}
bus_started() { test -s "$logs/address"; }

# Helpers on the windows of the program with process id $1.
# The main window, once it is on the screen. xdotool gives up its whole search when any window
# on the display goes while it looks (a tool-tip, say), so the window is taken from the search
# that found it.
main_window_shown() {
    main_window=$(xdotool search --all --onlyvisible --pid "$1" --name Olmira 2>/dev/null) &&
        [ -n "$main_window" ]
}
window_of() {
    wait_for 60 main_window_shown "$1" || fail "the window did not appear"
    echo "${main_window%%$'\n'*}"
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
        holds "$(xprop -id "$candidate" _NET_WM_WINDOW_TYPE 2>/dev/null)" TOOLTIP && echo "$candidate"
    done
    return 0
}
# The program's pop-up menu: a window of its own on the root window that the window manager
# leaves alone, and neither a tool-tip nor the balloon.
menu_shown() {
    local candidate
    for candidate in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null); do
        holds "$(window_info "$candidate")" 'Override Redirect State: yes' || continue
        [ "$(parent_of "$candidate")" = "$(root_id)" ] || continue
        holds "$(xprop -id "$candidate" _NET_WM_WINDOW_TYPE 2>/dev/null)" TOOLTIP && continue
        menu=$candidate
        return 0
    done
    return 1
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
# Records from now on every time the window is mapped (M) or unmapped (U), as X reports it,
# so that a test can tell what an action did even when the window ends as it began.
record_mappings() {
    recorded_window=$1
    mappings_checked=0
    xev -id "$1" -event structure -event property >"$logs/events-$1" 2>&1 &
    started_pids+=($!)
    # xev listens only some time after it starts: a property set on the window is reported
    # once it does.
    wait_for 60 recording_mappings || fail "xev does not report the window's events"
}
recording_mappings() {
    xprop -id "$recorded_window" -f _TARVEX_TEST_MARK 8s -set _TARVEX_TEST_MARK mark
    holds "$(cat "$logs/events-$recorded_window")" _TARVEX_TEST_MARK
}
# The maps and unmaps since the last expect_mappings.
new_mappings() {
    local all
    all=$(awk '/^MapNotify/ { printf "M" } /^UnmapNotify/ { printf "U" }' "$logs/events-$recorded_window")
    echo "${all:$mappings_checked}"
}
mappings_reach() { local new; new=$(new_mappings); [ "${#1}" -le "${#new}" ]; }
# Waits until the window has been mapped and unmapped as `expected` says since the last check,
# and fails if it was anything else; `what` names the step for the message.
expect_mappings() {
    local expected=$1 what=$2
    wait_for 60 mappings_reach "$expected" || fail "$what: the window was only '$(new_mappings)', not '$expected'"
    [ "$(new_mappings)" = "$expected" ] || fail "$what: the window was '$(new_mappings)', not '$expected'"
    mappings_checked=$((mappings_checked + ${#expected}))
}

# Whether the window manager has made the window the active one, as it does with a new window;
# a click before then may go to a window that is still being placed.
is_active() { holds "$(root_property _NET_ACTIVE_WINDOW)" "$(printf '0x%x' "$1")"; }
# Clicks at a place given within the window's client area, wherever the window is by then.
click_in() { xdotool mousemove --window "$1" "$2" "$3" click 1; }

# Whether the window lies beside a point: the point is within 40 pixels of it.
lies_beside() {
    local x y
    x=$(absolute_left "$1")
    y=$(absolute_top "$1")
    [ "$2" -ge $((x - 40)) ] && [ "$2" -le $((x + $(width_of "$1") + 40)) ] &&
        [ "$3" -ge $((y - 40)) ] && [ "$3" -le $((y + $(height_of "$1") + 40)) ]
}
window_info() { xwininfo -id "$1" 2>/dev/null; }
is_viewable() { holds "$(window_info "$1")" 'Map State: IsViewable'; }
is_unmapped() { holds "$(window_info "$1")" 'Map State: IsUnMapped'; }
info_field() { window_info "$1" | awk -v field="$2" 'index($0, field) { print $NF }'; }
width_of() { info_field "$1" 'Width:'; }
height_of() { info_field "$1" 'Height:'; }
absolute_left() { info_field "$1" 'Absolute upper-left X:'; }
absolute_top() { info_field "$1" 'Absolute upper-left Y:'; }
parent_of() { xwininfo -id "$1" -tree 2>/dev/null | awk '/Parent window id:/ { print $4 }'; }
root_id() { xwininfo -root | awk '/Window id:/ { print $4 }'; }
net_wm_state() { xprop -id "$1" _NET_WM_STATE 2>/dev/null; }

# Left clicks on the notification-area icon at (icon_x, icon_y) of the program whose main
# window is $window, shown at normal size, its maps recorded (record_mappings): a click hides
# the window and the next brings it back at the same place and size, from normal, from
# maximised, and from minimised by the window manager.
click_icon() { xdotool mousemove "$icon_x" "$icon_y" click "$@"; }
place_of() { echo "$(absolute_left "$window"),$(absolute_top "$window") $(width_of "$window")x$(height_of "$window")"; }
expect_hidden() {
    expect_mappings "${2:-U}" "$1"
    is_unmapped "$window" || fail "$1: the window is still on the screen"
    echo "ok: $1"
}
at_normal_size() { ! holds "$(net_wm_state "$window")" HIDDEN && ! holds "$(net_wm_state "$window")" MAXIMIZED; }
expect_shown_normal() {
    expect_mappings "${2:-M}" "$1"
    wait_for 60 at_normal_size || fail "$1: the window is not at normal size ($(net_wm_state "$window"))"
    [ "$(place_of)" = "$place" ] || fail "$1: the window came back as $(place_of), not $place"
    echo "ok: $1"
}
maximised() { holds "$(net_wm_state "$window")" MAXIMIZED; }
minimised() { holds "$(net_wm_state "$window")" HIDDEN; }
check_left_clicks_hide_and_restore() {
    place=$(place_of)
    click_icon 1
    expect_hidden "left click hides the window"
    click_icon 1
    expect_shown_normal "a second left click brings it back at the same place"

    wmctrl -i -r "$window" -b add,maximized_vert,maximized_horz
    wait_for 60 maximised || fail "could not maximise"
    click_icon 1
    expect_hidden "left click hides the maximised window"
    click_icon 1
    expect_shown_normal "it comes back at normal size and at its place"

    xdotool windowminimize "$window"
    wait_for 60 minimised || fail "could not minimise"
    expect_mappings U "minimising"
    click_icon 1
    expect_shown_normal "one left click restores a window minimised by the window manager"
}
