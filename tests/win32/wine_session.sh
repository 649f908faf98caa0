# Sourced by the tests of the Windows program, after tests/e2e/x_session.sh: a Wine of the
# test's own, in a fresh prefix under a temporary folder, whose processes end and whose prefix
# goes when the test ends.
#   start_wine LOADER ARCH    Wine's loader and the prefix's kind: /usr/lib/wine/wine and win32
#                             for the i686 program, /usr/lib/wine/wine64 and win64 for x86-64
#   start_wine_desktop LOADER ARCH [SCREEN]    the same on a virtual desktop of the test's own,
#                             1366x768x24 unless SCREEN says otherwise
# Wine runs under zh_CN.UTF-8 (code page 936), or under the locale wine_locale names.

start_wine() {
    wine_loader=$1
    WINEARCH=$2
    local dir
    dir=$(mktemp -d)
    # Wine's ANSI code page follows the locale: 936 under Chinese, as on a Chinese Windows. The
    # prefix's maker compiles the locale where the system lacks it. HOME is the test's own, as
    # Wine links the prefix's user folders to it. Without a /run/user folder, Wine makes its
    # server's folder under TMPDIR: the test's own too.
    mkdir "$dir/tmp"
    export WINEARCH WINEPREFIX=$dir/prefix HOME=$dir/home LOCPATH=$dir/locale TMPDIR=$dir/tmp \
        LANG=${wine_locale:-zh_CN.UTF-8} LC_ALL=${wine_locale:-zh_CN.UTF-8} WINEDEBUG=-all \
        WINEDLLOVERRIDES=winemenubuilder.exe,mscoree,mshtml=d
    wine_folder=$dir
    trap 'wine_status=$?; end_wine; end_started "$wine_status"' EXIT
    bash "$(dirname "${BASH_SOURCE[0]}")/wine_prefix.sh" make "$wine_loader" >"$logs/prefix" 2>&1 \
        || fail "no Wine prefix: $(cat "$logs/prefix")"
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

# The program's window, once it is on the screen: Wine gives it the X class of the exe.
wine_window_shown() {
    main_window=$(xdotool search --onlyvisible --name Olmira 2>/dev/null) &&
        [ -n "$main_window" ]
}
wine_window() {
    wait_for 60 wine_window_shown || fail "the window did not appear"
    echo "${main_window%%$'\n'*}"
}

# The notification-area icon: Wine's desktop process (explorer.exe) docks it, as a small window
# that the tray has taken in.
wine_icon=""
find_wine_icon() {
    local candidate
    for candidate in $(xdotool search --onlyvisible --classname explorer.exe 2>/dev/null); do
        if [ "$(width_of "$candidate")" -le 32 ] && [ "$(parent_of "$candidate")" != "$(root_id)" ]; then
            wine_icon=$candidate
            return 0
        fi
    done
    return 1
}

# The windows that Wine's desktop process shows over the others: the balloon (the tall one)
# and the icon's tool-tip (the low one).
wine_popups() {
    local candidate
    for candidate in $(xdotool search --onlyvisible --classname explorer.exe 2>/dev/null); do
        holds "$(window_info "$candidate")" 'Override Redirect State: yes' && echo "$candidate"
    done
    return 0
}
wine_balloon_shown() {
    local candidate
    for candidate in $(wine_popups); do
        [ "$(height_of "$candidate")" -ge 50 ] && { balloon=$candidate; return 0; }
    done
    return 1
}
wine_tooltip_shown() {
    local candidate
    for candidate in $(wine_popups); do
        [ "$(height_of "$candidate")" -lt 50 ] && return 0
    done
    return 1
}
