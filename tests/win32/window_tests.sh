#!/usr/bin/env bash
# The Win32 window's tests under Wine, on a desktop of their own: Xvfb at 1366x768 with the
# openbox window manager and the trayer notification area, and a Wine prefix of their own. The
# window is checked at each text size of the table below: the driver works the running program
# from outside, the caption check makes the window in its own process.
#
#   window_tests.sh TARVEX_EXE DRIVER_EXE CAPTIONS_EXE WINE_LOADER win32|win64
set -u

here=$(dirname "$(realpath "$0")")
source "$here/../desktop/x_session.sh"
source "$here/wine_session.sh"

[ $# -eq 5 ] || fail "usage: window_tests.sh TARVEX_EXE DRIVER_EXE CAPTIONS_EXE WINE_LOADER win32|win64"
tarvex=$(realpath "$1")
driver=$(realpath "$2")
captions=$(realpath "$3")

# Text sizes of a 1366x768 screen, in dots per inch, and what runs at each: every case of the
# window's behaviour at the first, its layout at all of them.
rows=(
    "96 behaviour"
    "120 layout"
    "144 layout"
)

# Wine names the host's files from its drive Z:.
windows_path() { local path=${1//\//\\}; echo "Z:$path"; }

began=$SECONDS
start_wine_desktop "$4" "$5"
# Wine draws the window's frame itself, as Windows does, so that the frame the program fits to
# the screen is the one on it. Left to openbox, the frame is openbox's own: a pixel deeper at the
# bottom than Windows' at 120 dpi, so that openbox lifts a window whose frame fills the screen's
# height by that pixel, and Wine, once it hears of the move, puts the frame it reckons a pixel
# above the screen.
run_wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f \
    >"$logs/reg" 2>&1 || fail "could not have Wine draw the frames: $(cat "$logs/reg")"
prefix_seconds=$((SECONDS - began))

# Runs a Windows test program and shows its lines; fails the row when it fails or says FAIL.
failed=0
run_checks() {
    local name=$1; shift
    run_wine "$@" >"$logs/$name.out" 2>"$logs/$name.err"
    local code=$?
    local out
    out=$(cat "$logs/$name.out")
    echo "$out"
    if [ "$code" -ne 0 ] || holds "$out" $'\nFAIL ' || [[ $out == FAIL* ]]; then
        local said
        said=$(cat "$logs/$name.err")
        echo "FAIL $name: exit status $code${said:+; Wine said: $said}"
        failed=1
    fi
}

for row in "${rows[@]}"; do
    read -r dpi mode <<<"$row"
    echo "# $dpi dpi"
    set_wine_dpi "$dpi"
    run_checks "driver-$dpi" "$driver" "$(windows_path "$tarvex")" "$dpi" "$mode"
    run_checks "captions-$dpi" "$captions" "$dpi"
done

echo "# window tests under $WINEARCH took $((SECONDS - began)) s, making the prefix $prefix_seconds s of it"
exit $failed
