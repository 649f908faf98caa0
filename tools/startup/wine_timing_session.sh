# Sourced by the Windows program's start-up measurements: a virtual X display with a
# notification area (trayer, XEmbed) and no window manager, so that the timer sees the program's
# own window mapped, and one Wine prefix for every run. Its server is kept up and a console stays
# open, so that Wine's desktop process (desktop and notification area) lives on between runs as
# Explorer does on Windows. Needs loader and arch (Wine's loader and the prefix's kind); gives
# settle, which each start waits on: until the last program's icon has been cleared, then 3.5 s.
source tests/win32/wine_session.sh
start_x 1366x768x24
export DBUS_SESSION_BUS_ADDRESS=disabled:
start_tray --widthtype pixel --width 64
start_wine "$loader" "$arch"

# The server that made the prefix ends on its own; a persistent one takes its place.
wineserver -w
wineserver -p
console_input=$scratch/console-input
mkfifo "$console_input"
# Held open here for writing, the console's input never ends.
exec 7<>"$console_input"
run_wine cmd <"$console_input" >"$logs/console-output" 2>&1 &
started_pids+=($!)

# The icon of a program that the timer has ended goes a moment later, and a start within about
# 3 s of it waits inside Shell_NotifyIcon for Wine's desktop to clear it: each start waits
# until the notification area is empty, then 3.5 s.
tray_empty() { ! find_icon "${wine_desktop[@]}"; }
settle() {
    wait_for 30 tray_empty || fail "the last program's icon stayed"
    sleep 3.5
}
