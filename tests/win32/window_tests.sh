#!/bin/bash
# The Win32 window's tests under Wine, on a desktop of their own: Xvfb at 1366x768 with the
# openbox window manager and the trayer notification area, and a fresh Wine prefix made for the
# run and removed after it. The window is checked at each text size of the table below: the
# driver works the running program from outside, the caption check makes the window in its own
# process. Every process started here, the prefix's wineserver included, is ended on the way out.
#
#   window_tests.sh TARVEX_EXE DRIVER_EXE CAPTIONS_EXE [WINEARCH]
#
# WINEARCH is win32 for the i686 build (the default) and win64 for the x86-64 build.
set -u

here=$(dirname "$(realpath "$0")")
# shellcheck source=../e2e/x_session.sh
source "$here/../e2e/x_session.sh"

[ $# -ge 3 ] || fail "usage: window_tests.sh TARVEX_EXE DRIVER_EXE CAPTIONS_EXE [WINEARCH]"
tarvex=$(realpath "$1")
driver=$(realpath "$2")
captions=$(realpath "$3")
arch=${4:-win32}

# Text sizes of a 1366x768 screen, in dots per inch, and what runs at each: every case of the
# window's behaviour at the first, its layout at all of them.
rows=(
    "96 behaviour"
    "120 layout"
    "144 layout"
)

work=$(mktemp -d)
logs=$work
# A Chinese locale, so that Wine's ANSI code page is 936 as on a Chinese Windows.
export WINEPREFIX=$work/prefix WINEARCH=$arch WINEDEBUG=-all LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
finish() {
    [ -d "$WINEPREFIX" ] && wineserver -k 2>/dev/null
    end_started
    rm -rf "$work"
}
trap finish EXIT

# Wine names the host's files from its drive Z:.
windows_path() { local path=${1//\//\\}; echo "Z:$path"; }

began=$SECONDS
start_x 1366x768x24
start_window_manager
# Wine keeps the size an icon's window had when it docked: a panel of a fixed width keeps the
# icon whole.
start_tray --widthtype pixel --width 64

wine wineboot -i >"$work/wineboot" 2>&1 || fail "the Wine prefix was not made: $(cat "$work/wineboot")"
prefix_seconds=$((SECONDS - began))

# Wine reads the DPI when each process starts, and the running wineserver keeps the registry:
# the setting is made, then the server is let go before the next program starts.
set_dpi() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
        >"$work/reg" 2>&1 || fail "LogPixels was not set: $(cat "$work/reg")"
    wineserver -w
}

# Runs a Windows test program and shows its lines; fails the row when it fails or says FAIL.
failed=0
run_checks() {
    local name=$1; shift
    wine "$@" >"$work/$name.out" 2>"$work/$name.err"
    local code=$?
    local out
    out=$(cat "$work/$name.out")
    echo "$out"
    if [ "$code" -ne 0 ] || holds "$out" $'\nFAIL ' || [[ $out == FAIL* ]]; then
        local said
        said=$(cat "$work/$name.err")
        echo "FAIL $name: exit status $code${said:+; Wine said: $said}"
        failed=1
    fi
}

for row in "${rows[@]}"; do
    read -r dpi mode <<<"$row"
    echo "# $dpi dpi"
    set_dpi "$dpi"
    run_checks "driver-$dpi" "$driver" "$(windows_path "$tarvex")" "$dpi" "$mode"
    run_checks "captions-$dpi" "$captions" "$dpi"
done

echo "# window tests under $arch took $((SECONDS - began)) s, making the prefix $prefix_seconds s of it"
exit $failed
