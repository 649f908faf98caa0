# Sourced by the end-to-end tests of both programs and by the tools that show the Linux one: a
# private X desktop (Xvfb, the openbox window manager and the trayer notification area) and the
# finders of a program's windows. Every process started here is recorded and ended by its id
# when the script exits.
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

# Finders of what a program shows, the same for the Qt program and for a Windows program under
# Wine. Each takes the X selector of the windows to look among, as xdotool search's words:
# "--pid PID" for a Qt program, which names its process on each of its windows; under Wine
# (wine_session.sh) the program's own windows carry the X class of its exe, and the notification
# area's icons, balloons and tool-tips are windows of Wine's desktop process. xdotool gives up
# its whole search when any window on the display goes while it looks (a tool-tip, say): the
# finders then find nothing, and their waits look again.
windows_of() { xdotool search --onlyvisible "$@" 2>/dev/null || true; }

# The main window, once it is on the screen: the one whose title names the publisher. (A
# selector with a pattern, as --classname has, leaves xdotool no room for a second one.)
main_window_shown() {
    local candidate
    for candidate in $(windows_of "$@"); do
        holds "$(xprop -id "$candidate" _NET_WM_NAME 2>/dev/null)" Olmira &&
            { main_window=$candidate; return 0; }
    done
    return 1
}
window_of() {
    wait_for 60 main_window_shown "$@" || fail "the window did not appear"
    echo "$main_window"
}

# The icons in the notification area: small windows that the tray has taken in (their parent is
# no longer the root window).
docked_icons() {
    local candidate
    for candidate in $(windows_of "$@"); do
        [ "$(width_of "$candidate")" -le 32 ] && [ "$(parent_of "$candidate")" != "$(root_id)" ] &&
            echo "$candidate"
    done
    return 0
}
icon=""
find_icon() {
    icon=$(docked_icons "$@")
    icon=${icon%%$'\n'*}
    [ -n "$icon" ]
}
# Waits for the icon among the selector's windows and aims at its middle (icon_x, icon_y),
# where a user clicks it.
aim_at_icon() {
    wait_for 60 find_icon "$@" || return 1
    icon_x=$(($(absolute_left "$icon") + $(width_of "$icon") / 2))
    icon_y=$(($(absolute_top "$icon") + $(height_of "$icon") / 2))
}
# There is one icon among the selector's windows; `what` names the case.
expect_one_icon() {
    local what=$1 icons
    shift
    icons=$(docked_icons "$@" | wc -l)
    [ "$icons" -eq 1 ] || fail "$what: $icons icons are docked, not 1"
}
# Waits for the icon among the selector's windows and for the balloon beside it, and aims at
# the icon (aim_at_icon); `what` names the case.
expect_balloon_beside_icon() {
    local what=$1
    shift
    aim_at_icon "$@" || fail "$what: the icon was not docked in the notification area"
    wait_for 60 balloon_shown "$@" || fail "$what: the balloon did not appear"
    lies_beside "$balloon" "$icon_x" "$icon_y" ||
        fail "$what: the balloon is at $(absolute_left "$balloon"),$(absolute_top "$balloon"), not beside the icon at $icon_x,$icon_y"
}

# Pop-ups: windows on the root window that the window manager leaves alone (override redirect).
# A menu and a tool-tip are told apart by the window type the program gives them, where it gives
# one: Qt types both, Wine neither (its tool-tips and balloons are the desktop process's, its
# menus the program's).
popups() {
    local candidate
    for candidate in $(windows_of "$@"); do
        holds "$(window_info "$candidate")" 'Override Redirect State: yes' &&
            [ "$(parent_of "$candidate")" = "$(root_id)" ] && echo "$candidate"
    done
    return 0
}
window_type() { xprop -id "$1" _NET_WM_WINDOW_TYPE 2>/dev/null; }
tooltip_popups() {
    local candidate
    for candidate in $(popups "$@"); do
        holds "$(window_type "$candidate")" MENU || echo "$candidate"
    done
    return 0
}
# The balloon is the tall tool-tip, the icon's tool-tip the low one.
balloon_shown() {
    local candidate
    for candidate in $(tooltip_popups "$@"); do
        [ "$(height_of "$candidate")" -ge 50 ] && { balloon=$candidate; return 0; }
    done
    return 1
}
tooltip_shown() {
    local candidate
    for candidate in $(tooltip_popups "$@"); do
        [ "$(height_of "$candidate")" -lt 50 ] && return 0
    done
    return 1
}
menu_shown() {
    local candidate
    for candidate in $(popups "$@"); do
        holds "$(window_type "$candidate")" TOOLTIP || { menu=$candidate; return 0; }
    done
    return 1
}
menu_closed() { ! menu_shown "$@"; }

# The mouse over the icon at (icon_x, icon_y) shows its tool-tip among the selector's windows.
expect_tooltip_over_icon() {
    xdotool mousemove "$icon_x" "$icon_y"
    wait_for 60 tooltip_shown "$@" || fail "no tool-tip over the icon"
    echo "ok: tool-tip over the icon"
}
# A right click on the icon opens its menu ($menu) beside it among the selector's windows;
# `what` names the case.
expect_menu_beside_icon() {
    local what=$1
    shift
    click_icon 3
    wait_for 60 menu_shown "$@" || fail "$what: a right click opened no menu"
    lies_beside "$menu" "$icon_x" "$icon_y" || fail "$what: the menu is not beside the icon"
}

# Whether the process has ended, and a wait for it to end with status 0; `what` names it for the
# message.
process_ended() { ! kill -0 "$1" 2>/dev/null; }
expect_success() {
    local pid=$1 what=$2
    wait_for 120 process_ended "$pid" || fail "$what did not end"
    wait "$pid" || fail "$what ended with status $?"
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
# Whether X gives the window the keys: a key pressed before goes wherever the focus was.
has_keyboard_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
# Presses the Exit button of the main window, which lies below the visible area: a click in the
# output box, and Tab to the button once the window has the keys. The first click may activate
# the window, and Wine then gives the focus back to the control that had it before, after the
# click has put it into the output box; the second click reaches an active window, after the
# focus change, as X delivers events in order.
press_exit_button() {
    click_in "$1" 400 108
    wait_for 60 has_keyboard_focus "$1" || fail "the window did not take the keyboard"
    click_in "$1" 400 108
    xdotool key Tab Tab space
}

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
at_place() { [ "$(place_of)" = "$place" ]; }
at_normal_size() { ! holds "$(net_wm_state "$window")" HIDDEN && ! holds "$(net_wm_state "$window")" MAXIMIZED; }
expect_shown_normal() {
    expect_mappings "${2:-M}" "$1"
    wait_for 60 at_normal_size || fail "$1: the window is not at normal size ($(net_wm_state "$window"))"
    # A restored window is mapped and at normal size before the window manager has moved it
    # back to its place.
    wait_for 60 at_place || fail "$1: the window came back as $(place_of), not $place"
    echo "ok: $1"
}
# With the window at normal size hidden from its icon, the program started again (the command
# given) ends at once with status 0 and brings the window back at its place.
expect_second_start_shows_hidden_window() {
    place=$(place_of)
    click_icon 1
    expect_hidden "hidden before a second start"
    "$@" >"$logs/second" 2>&1 &
    local second=$!
    started_pids+=("$second")
    expect_success "$second" "the second start"
    expect_shown_normal "a second start shows the hidden window"
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
