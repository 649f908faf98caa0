# Sourced by the tests of the Windows program, with the X desktop of tests/desktop/x_session.sh
# (which it sources itself): a Wine of the test's own, in a fresh prefix under a temporary folder, whose processes end and whose prefix
# goes when the test ends.
#   start_wine LOADER ARCH    Wine's loader and the prefix's kind: /usr/lib/wine/wine and win32
#                             for the i686 program, /usr/lib/wine/wine64 and win64 for x86-64,
#                             /usr/bin/wine (which picks the loader) and win64 for the i686
#                             program on a 64-bit Windows
#   start_wine_desktop LOADER ARCH [SCREEN]    the same on a virtual desktop of the test's own,
#                             1366x768x24 unless SCREEN says otherwise
# Wine runs under zh_CN.UTF-8 (code page 936), or under the locale wine_locale names.

source "$(dirname "${BASH_SOURCE[0]}")/../desktop/x_session.sh"

# X selectors of what a Windows program shows under Wine, for the finders of x_session.sh: the
# program's own windows carry the X class of its exe; the icons docked in the notification area,
# their balloons and tool-tips are windows of Wine's desktop process.
wine_program=(--classname tarvex.exe)
wine_desktop=(--classname explorer.exe)

start_wine() {
    wine_loader=$1
    WINEARCH=$2
    local dir line
    dir=$(mktemp -d)
    # HOME is the test's own, as Wine links the prefix's user folders to it. Without a /run/user
    # folder, Wine makes its server's folder under TMPDIR: the test's own too. The locale is
    # compiled where CTest says, once for the build, or else for the test alone.
    mkdir "$dir/tmp"
    export WINEARCH WINEPREFIX=$dir/prefix HOME=$dir/home LOCPATH=${LOCPATH:-$dir/locale} \
        TMPDIR=$dir/tmp
    while IFS= read -r line; do
        if [[ $line =~ ^[A-Z_]+= ]]; then export "$line"; fi
    done <"$(dirname "${BASH_SOURCE[0]}")/wine.env"
    if [ -n "${wine_locale:-}" ]; then export LANG=$wine_locale LC_ALL=$wine_locale; fi
    wine_folder=$dir
    trap 'wine_status=$?; end_wine; end_started "$wine_status"' EXIT
    local status=0
    bash "$(dirname "${BASH_SOURCE[0]}")/wine_prefix.sh" make "$wine_loader" >"$logs/prefix" 2>&1 \
        || status=$?
    # A machine that cannot run this Wine at all skips the test, saying why.
    [ "$status" -ne 77 ] || { cat "$logs/prefix"; exit 77; }
    [ "$status" -eq 0 ] || fail "no Wine prefix: $(cat "$logs/prefix")"
}

# A desktop of the test's own for the Windows program: Xvfb (at 1366x768 unless the third
# argument says otherwise) with the openbox window manager and the trayer notification area, and
# a Wine prefix.
start_wine_desktop() {
    start_x "${3:-1366x768x24}"
    export DBUS_SESSION_BUS_ADDRESS=disabled:
    start_window_manager
    # Wine keeps the size the icon's slot had when it docked: a panel that grows as icons come
    # would leave most of the icon outside its slot.
    start_tray --widthtype pixel --width 64
    start_wine "$1" "$2"
}

end_wine() {
    [ -n "${wine_folder:-}" ] || return 0
    wineserver -k 2>/dev/null || true
    rm -rf "$wine_folder"
}

# Runs a Windows program of the prefix's word size.
run_wine() { "$wine_loader" "$@"; }

# The dots per inch that programs started from now on see.
set_wine_dpi() {
    run_wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
        >"$logs/reg" 2>&1 || fail "could not set the DPI: $(cat "$logs/reg")"
    wineserver -w
}
