#!/usr/bin/env bash
# The Win32 window's tests under Wine, on a desktop of their own: Xvfb at 1366x768 with the
# openbox window manager and the trayer notification area, and a Wine prefix of their own. The
# test program makes the window in its own process at each text size of the table below.
#
#   window_tests.sh TESTS_EXE WINE_LOADER win32|win64
set -u

here=$(dirname "$(realpath "$0")")
source "$here/wine_session.sh"

[ $# -eq 3 ] || fail "usage: window_tests.sh TESTS_EXE WINE_LOADER win32|win64"
tests=$(realpath "$1")

# Text sizes of a 1366x768 screen, in dots per inch, and the tests run at each: every test at
# the first, the layout at all of them. The cases of real key input run first, in a process of
# their own (see Form1Keys in form1_behaviour_test.cpp); so does the window after a change of
# the desktop's font, which changes it for the whole process.
rows=(
    "96 *Form1Keys*"
    "96 -*Form1Keys*:*AfterAFontChange*"
    "96 *AfterAFontChange*"
    "120 Form1Layout.*:*Form1Caption.*"
    "144 Form1Layout.*:*Form1Caption.*"
)

began=$SECONDS
start_wine_desktop "$2" "$3"
# Wine draws the window's frame itself, as Windows does, so that the frame the program fits to
# the screen is the one on it. Left to openbox, the frame is openbox's own: a pixel deeper at the
# bottom than Windows' at 120 dpi, so that openbox lifts a window whose frame fills the screen's
# height by that pixel, and Wine, once it hears of the move, puts the frame it reckons a pixel
# above the screen.
run_wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f \
    >"$logs/reg" 2>&1 || fail "could not have Wine draw the frames: $(cat "$logs/reg")"
prefix_seconds=$((SECONDS - began))

failed=0
# Each new DPI restarts Wine's server (set_wine_dpi); rows at the same DPI share one start.
shown_dpi=
for row in "${rows[@]}"; do
    read -r dpi filter <<<"$row"
    echo "# $dpi dpi"
    [ "$dpi" = "$shown_dpi" ] || set_wine_dpi "$dpi"
    shown_dpi=$dpi
    run_wine "$tests" --dpi="$dpi" --gtest_filter="$filter" 2>"$logs/wine-$dpi" || {
        echo "FAIL at $dpi dpi; Wine said: $(cat "$logs/wine-$dpi")"
        failed=1
    }
done

echo "# window tests under $WINEARCH took $((SECONDS - began)) s, making the prefix $prefix_seconds s of it"
exit $failed
