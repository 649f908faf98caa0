#!/usr/bin/env bash
# The Windows program's notification-area icon on a real X desktop under Wine (Xvfb 1366x768,
# openbox, trayer): the icon docks with its tool-tip and the balloon greets the user beside it,
# left clicks hide the window and bring it back at normal size and at its place, also from
# maximised and from minimised with the window manager, a right click opens the icon's menu,
# its 显示 shows the window, a second start shows the hidden window and ends, and 退出 ends the
# program and takes the icon away.
#   tray_end_to_end.sh TARVEX_EXE WINE_LOADER win32|win64 [SCREENSHOT]
set -euo pipefail
program=$1
loader=$2
arch=$3
screenshot=${4:-}
here=$(dirname "$0")
source "$here/wine_session.sh"

start_wine_desktop "$loader" "$arch"

run_wine "$program" >"$logs/program" 2>&1 &
tarvex=$!
started_pids+=("$tarvex")
window=$(window_of "${wine_program[@]}")
record_mappings "$window"

expect_balloon_beside_icon "at start" "${wine_desktop[@]}"
echo "ok: icon docked at $icon_x,$icon_y, balloon shown beside it"
if [ -n "$screenshot" ]; then
    # The balloon paints a moment after it is mapped, and X tells no event for that.
    sleep 0.5
    import -window root "$screenshot"
fi

expect_tooltip_over_icon "${wine_desktop[@]}"

check_left_clicks_hide_and_restore

# A second start while the window is hidden shows it and ends at once, leaving one icon.
expect_second_start_shows_hidden_window run_wine "$program"
expect_one_icon "after a second start" "${wine_desktop[@]}"
echo "ok: a second start ends with status 0 and one icon stays"

# The menu opens where the right button was released; 显示 shows the window, which is already
# shown and stays so; a second right click and 退出 end the program.
expect_menu_beside_icon "the first right click" "${wine_program[@]}"
# The menu's two items, 显示 on top.
item_height=$(($(height_of "$menu") / 2))
xdotool mousemove "$(($(absolute_left "$menu") + 20))" "$(($(absolute_top "$menu") + item_height / 2))" click 1
wait_for 60 menu_closed "${wine_program[@]}" || fail "显示 did not close the menu"
is_viewable "$window" || fail "显示 left the window off the screen"
echo "ok: a right click opens the menu beside the icon, and 显示 keeps the window shown"

expect_menu_beside_icon "a second right click" "${wine_program[@]}"
xdotool mousemove "$(($(absolute_left "$menu") + 20))" "$(($(absolute_top "$menu") + item_height * 3 / 2))" click 1
expect_success "$tarvex" "the program after 退出"
icon_gone() { ! find_icon "${wine_desktop[@]}"; }
wait_for 60 icon_gone || fail "the icon stayed after the program ended"
echo "ok: 退出 ends the program with status 0 and the icon is gone"
