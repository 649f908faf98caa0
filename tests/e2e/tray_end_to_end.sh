#!/usr/bin/env bash
# The notification-area icon on a real X desktop: it embeds in the tray with its tool-tip, the
# balloon greets the user, left clicks hide and bring back the window in each of its states,
# a double-click ends as it began, a right click does nothing, and the Exit button ends the
# program and takes the icon with it.
#   tray_end_to_end.sh TARVEX [SCREENSHOT_DIR]
set -euo pipefail
program=$1
shots=${2:-}
source "$(dirname "$0")/x_session.sh"

start_desktop
"$program" &
tarvex=$!
started_pids+=("$tarvex")

window=$(window_of "$tarvex")

wait_for 10 find_icon "$tarvex" || fail "the icon was not embedded in the notification area"
icon_x=$(($(absolute_left "$icon") + $(width_of "$icon") / 2))
icon_y=$(($(absolute_top "$icon") + $(height_of "$icon") / 2))
echo "ok: icon embedded at $icon_x,$icon_y"

wait_for 5 balloon_shown "$tarvex" || fail "the balloon did not appear"
balloon_y=$(absolute_top "$balloon")
[ "$balloon_y" -gt 600 ] || fail "the balloon is not beside the icon (at y $balloon_y)"
echo "ok: balloon shown beside the icon"
if [ -n "$shots" ]; then
    mkdir -p "$shots"
    sleep 0.3
    import -window root -crop 420x150+860+750 "$shots/balloon.png"
fi

xdotool mousemove 600 400
sleep 0.2
xdotool mousemove "$icon_x" "$icon_y"
wait_for 5 tooltip_shown "$tarvex" || fail "no tool-tip over the icon"
echo "ok: tool-tip over the icon"

click_icon() { xdotool mousemove "$icon_x" "$icon_y" click "$@"; }
expect_hidden() {
    wait_for 3 is_unmapped "$window" || fail "$1: the window is still on the screen"
    echo "ok: $1"
}
expect_shown_normal() {
    wait_for 3 is_viewable "$window" || fail "$1: the window did not come back"
    wait_for 3 sh -c "! xprop -id $window _NET_WM_STATE | grep -q -e HIDDEN -e MAXIMIZED" \
        || fail "$1: the window is not at normal size ($(net_wm_state "$window"))"
    [ "$(width_of "$window")" -eq 932 ] || fail "$1: the window is $(width_of "$window") wide"
    echo "ok: $1"
}

click_icon 1
expect_hidden "left click hides the window"
click_icon 1
expect_shown_normal "a second left click brings it back"

wmctrl -i -r "$window" -b add,maximized_vert,maximized_horz
wait_for 3 sh -c "xprop -id $window _NET_WM_STATE | grep -q MAXIMIZED" || fail "could not maximise"
click_icon 1
expect_hidden "left click hides the maximised window"
click_icon 1
expect_shown_normal "it comes back at normal size"

xdotool windowminimize "$window"
wait_for 3 sh -c "xprop -id $window _NET_WM_STATE | grep -q HIDDEN" || fail "could not minimise"
click_icon 1
expect_shown_normal "left click restores a window minimised by the window manager"

click_icon --repeat 2 --delay 80 1
sleep 1
expect_shown_normal "a double-click on a shown window ends with it shown"
click_icon 1
expect_hidden "hidden again"
click_icon --repeat 2 --delay 80 1
sleep 1
expect_hidden "a double-click on a hidden window ends with it hidden"
click_icon 1
expect_shown_normal "shown again"

click_icon 3
sleep 0.5
expect_shown_normal "a right click changes nothing"

# The Exit button lies below the visible area: reach it with Tab from the output box.
xdotool mousemove $(($(absolute_left "$window") + 400)) $(($(absolute_top "$window") + 108)) click 1
xdotool key Tab Tab space
wait_for 5 sh -c "! kill -0 $tarvex 2>/dev/null" || fail "the Exit button did not end the program"
wait "$tarvex" || fail "the program ended with an error"
if xdotool search --class tarvex >/dev/null 2>&1; then
    fail "a window of the program is left behind"
fi
echo "ok: the Exit button ends the program and the icon is gone"
