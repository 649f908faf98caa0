#!/usr/bin/env bash
# The notification-area icon on a real X desktop: it embeds in the tray with its tool-tip, the
# balloon greets the user beside it, left clicks hide and bring back the window in each of its
# states at the same place, a double-click ends as it began, a right click opens the icon's menu
# and changes nothing in the window, and the Exit button ends the program and takes the icon
# with it. Then a notification area that starts after the program: the balloon comes beside the
# icon once it is embedded. Last a notification area that takes the icon in at once but puts it
# in its panel only later (LATE_PANEL): the balloon comes beside the icon in its place.
#   tray_end_to_end.sh TARVEX LATE_PANEL [SCREENSHOT_DIR]
set -euo pipefail
program=$1
late_panel=$2
shots=${3:-}
source "$(dirname "$0")/../../desktop/x_session.sh"

start_desktop
"$program" &
tarvex=$!
started_pids+=("$tarvex")

window=$(window_of --pid "$tarvex")
wait_for 60 is_active "$window" || fail "the window was not made active"
record_mappings "$window"

# Ends trayer and starts the program anew, without a notification area.
start_program_without_tray() {
    kill "$trayer_pid"
    wait "$trayer_pid" 2>/dev/null || true
    "$program" &
    tarvex=$!
    started_pids+=("$tarvex")
    window_of --pid "$tarvex" >/dev/null
}

expect_balloon_beside_icon "at start" --pid "$tarvex"
echo "ok: icon embedded at $icon_x,$icon_y, balloon shown beside it"
if [ -n "$shots" ]; then
    mkdir -p "$shots"
    # The balloon paints a moment after it is mapped, and X tells no event for that.
    sleep 0.3
    import -window root -crop 420x150+860+750 "$shots/balloon.png"
fi

expect_tooltip_over_icon --pid "$tarvex"

check_left_clicks_hide_and_restore

click_icon --repeat 2 --delay 80 1
expect_shown_normal "a double-click on a shown window hides it and brings it back" UM
click_icon 1
expect_hidden "hidden again"
click_icon --repeat 2 --delay 80 1
expect_hidden "a double-click on a hidden window brings it back and hides it" MU

# A right click opens the menu, which Escape closes; the left click after it hides the window
# only if the menu did nothing to it.
click_icon 1
expect_shown_normal "shown again"
expect_menu_beside_icon "a right click" --pid "$tarvex"
if [ -n "$shots" ]; then
    # The menu paints a moment after it is mapped, and X tells no event for that.
    sleep 0.3
    import -window root -crop 300x140+980+760 "$shots/tray-menu.png"
fi
xdotool key Escape
wait_for 60 menu_closed --pid "$tarvex" || fail "Escape did not close the menu"
click_icon 1
expect_hidden "a right click opens the menu beside the icon and changes nothing in the window"
click_icon 1
expect_shown_normal "shown again"

press_exit_button "$window"
expect_success "$tarvex" "the program after its Exit button"
if xdotool search --class tarvex >/dev/null 2>&1; then
    fail "a window of the program is left behind"
fi
echo "ok: the Exit button ends the program and the icon is gone"

# A notification area that starts after the program, as at the start of a session: the balloon
# waits until the icon is embedded.
start_program_without_tray
# Not a wait for anything: the program runs without a notification area for a while.
sleep 2
start_tray
expect_balloon_beside_icon "with a late notification area" --pid "$tarvex"
echo "ok: with a notification area that starts 2 s after the program, the balloon comes beside the icon"

# A notification area that takes the icon in at once, in a window of its own at the screen's
# corner, and puts it in its panel only 1.5 s later, as LXQt's panel does when it starts after
# the program: the balloon waits for the icon's place.
wmctrl -i -c "$(window_of --pid "$tarvex")"
wait_for 60 process_ended "$tarvex" || fail "closing the window did not end the program"
start_program_without_tray
"$late_panel" 1500 >"$logs/late-panel" 2>&1 &
started_pids+=($!)
late_panel_reported() { holds $'\n'"$(cat "$logs/late-panel")"$'\n' $'\n'"$1"$'\n'; }
wait_for 60 late_panel_reported docked || fail "the late panel took no icon in: $(cat "$logs/late-panel")"
# Until the panel has placed the icon there is no balloon; it would be in the corner.
until late_panel_reported placed; do
    ! balloon_shown --pid "$tarvex" ||
        fail "the balloon appeared at $(absolute_left "$balloon"),$(absolute_top "$balloon") before the panel placed the icon"
    sleep 0.05
done
expect_balloon_beside_icon "with a panel that places the icon late" --pid "$tarvex"
echo "ok: with a panel that places the icon 1.5 s after taking it in, the balloon comes beside the placed icon"
