#!/usr/bin/env bash
# The Win32 window's behaviour where Windows differs from what Wine shows by itself, under Wine
# on a desktop of its own (Xvfb at 3840x2160, large enough for the window at three times its DPI, with
# openbox and trayer) and a Wine prefix of its own in the system language the locale gives: the
# window's own tests in its process, then a second start while a first one, slow to make its
# window, holds the session, then the window's size at 120, 144 and 192 dpi.
#
#   windows_behaviour_tests.sh TESTS_EXE TARVEX_EXE SLOW_FIRST_EXE WINE_LOADER win32|win64 LOCALE
set -u

here=$(dirname "$(realpath "$0")")
source "$here/wine_session.sh"

[ $# -eq 6 ] || fail "usage: windows_behaviour_tests.sh TESTS_EXE TARVEX_EXE SLOW_FIRST_EXE WINE_LOADER win32|win64 LOCALE"
tests=$(realpath "$1")
tarvex=$(realpath "$2")
slow_first=$(realpath "$3")
wine_locale=$6

start_wine_desktop "$4" "$5" 3840x2160x24
# Wine draws the window's frame itself, as Windows does (see window_tests.sh).
run_wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f \
    >"$logs/reg" 2>&1 || fail "could not have Wine draw the frames: $(cat "$logs/reg")"

echo "# the window's own tests under $wine_locale"
run_wine "$tests" >"$logs/tests.out" 2>&1
status=$?
cat "$logs/tests.out"
[ "$status" -eq 0 ] || fail "the window's tests failed with status $status"

# The first start takes longer to make its window than the 5 s a second start once waited; its
# mutex is open to the second start, or denied to it as an elevated Tarvex's is.
first_holds() { holds "$(cat "$logs/first.out")" 'holding the session'; }

# The second start may find the first one's window as it is made, before it is shown.
first_shown() { holds "$(cat "$logs/first.out")" 'window shown'; }
icons_shown() {
    icons=$(docked_icons "${wine_desktop[@]}" | wc -l)
    [ "$icons" -gt 0 ]
}
no_icon_shown() { ! icons_shown; }

for access in open denied; do
    echo "# a second start while the first holds the session, $access to it, without a window"
    first_arguments=(6000)
    [ "$access" = denied ] && first_arguments+=(denied)
    # Emptied here: the redirection below happens in the background, after the wait may read.
    : >"$logs/first.out"
    run_wine "$slow_first" "${first_arguments[@]}" >"$logs/first.out" 2>"$logs/first.err" &
    first=$!
    started_pids+=($first)
    wait_for 60 first_holds || fail "the first start did not claim the session: $(cat "$logs/first.err")"
    run_wine "$tarvex" >"$logs/second.out" 2>&1 &
    second=$!
    started_pids+=($second)
    wait_for 90 process_ended "$second" || fail "the second start did not end: it runs on beside the first"
    wait "$second"
    second_status=$?
    [ "$second_status" -eq 0 ] || fail "the second start ended with status $second_status"
    wait_for 60 first_shown || fail "the first start did not show its window: $(cat "$logs/first.err")"
    # The first start is a helper program, not tarvex.exe: its window is found by its title.
    window=$(window_of --name Olmira)
    windows=$(windows_of --name Olmira | wc -l)
    [ "$windows" -eq 1 ] || fail "$windows Tarvex windows on the screen, not 1"
    wait_for 30 icons_shown || fail "no icon in the notification area"
    [ "$icons" -eq 1 ] || fail "$icons icons in the notification area, not 1"
    echo "ok second start ended with status 0, one window and one icon remain"

    # The first one closes as its title bar's close button closes it.
    wmctrl -i -c "$window"
    wait_for 30 process_ended "$first" || fail "the first start did not end when its window was closed"
    wait_for 30 no_icon_shown || fail "the icon stayed after the program ended"
done

# The size the window answers when Windows asks for it at a DPI is the size it opens at on a
# screen of that DPI.
for dpi in 120 144 192; do
    echo "# the window's size at $dpi dpi"
    set_wine_dpi "$dpi"
    run_wine "$tests" --dpi="$dpi" --gtest_filter='*SizeAtADpi*' >"$logs/tests-$dpi.out" 2>&1
    status=$?
    cat "$logs/tests-$dpi.out"
    [ "$status" -eq 0 ] || fail "the window's size at $dpi dpi: status $status"
done
