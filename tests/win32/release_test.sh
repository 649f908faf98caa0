#!/usr/bin/env bash
# The Windows release under Wine, as a user's machine sees it.
#   release_test.sh installer SETUP_EXE WINE_LOADER ARCH HOLD_FILE_EXE [SCREENSHOT]
#       The installer, silent: the files, the uninstall entry and its values, the Start-menu
#       shortcut; the installed program started from the shortcut, hidden from its icon, started
#       again (it shows the hidden window and ends with status 0, one icon stays), ended with
#       its Exit button; started once more, the silent uninstaller closes it through its window
#       and leaves no file, folder, key or shortcut behind; a folder of per-user programs that
#       was there before stays. With a screenshot path, the installer's first page is
#       photographed first. Then upgrades: installed into a folder of the user's choice and
#       again there over the running program (which is closed through its window and replaced;
#       one copy, one uninstall entry, one shortcut, which starts the new program); installed
#       again without a folder, into that one; then into another folder, which takes the copy's
#       place; an uninstall that cannot remove a file (the program, held open by another
#       program, HOLD_FILE_EXE; or its own, run in place) keeps the entry, the uninstaller with
#       it, and ends with status 2; the entry's uninstall command then leaves the prefix's files
#       as they were.
#   release_test.sh portable ZIP WINE_LOADER ARCH
#       The portable archive, unpacked into a folder: the program starts from there and ends with
#       its Exit button, and the prefix's files are as they were.
set -euo pipefail
mode=$1
artefact=$2
loader=$3
arch=$4
hold_file=${5:-}
screenshot=${6:-}
here=$(dirname "$0")
source "$here/wine_session.sh"

start_wine_desktop "$loader" "$arch"

# A Windows path of the prefix as a path here.
unix_path() {
    local path
    path=$(run_wine winepath -u "$1" 2>/dev/null) || fail "winepath cannot read $1"
    echo "${path%$'\r'}"
}
windows_variable() {
    local value
    value=$(run_wine cmd /c echo "%$1%" 2>/dev/null) || fail "cmd cannot tell %$1%"
    echo "${value%$'\r'}"
}
# Ends the program through its Exit button.
exit_through_button() {
    press_exit_button "$1"
    window_gone() { ! main_window_shown "${wine_program[@]}"; }
    wait_for 60 window_gone || fail "the Exit button did not close the window"
}
# Every folder and file of the prefix, each file with its size. Wine's own registry files
# change as Wine runs, and are looked at by the keys that matter instead; the temporary folder
# holds the copy that an uninstaller runs from, which Windows removes when it next starts.
prefix_files() {
    (cd "$WINEPREFIX" && find . -path ./dosdevices -prune -o -path './drive_c/users/*/Temp' -prune \
        -o -type d -printf '%p/\n' -o -type f ! -name '*.reg' -printf '%p %s\n' | sort)
}

# The user's part of the registry, where a program keeps its settings, without the times at
# which Wine last wrote each key. (Wine writes its own machine-wide device keys anew whenever it
# starts.)
registry() {
    sed -e '/^#time=/d' -e 's/^\(\[.*\]\) [0-9]*$/\1/' "$WINEPREFIX"/user.reg
}

install_and_remove() {
    local setup=$1 programs start_menu instdir shortcut key values
    if [ -n "$screenshot" ]; then
        run_wine "$setup" >"$logs/setup-ui" 2>&1 &
        started_pids+=($!)
        setup_shown() { xdotool search --onlyvisible --name 'Tarvex 1.0 安装' >/dev/null 2>&1; }
        wait_for 60 setup_shown || fail "the installer's first page did not appear"
        # The page paints a moment after it is mapped, and X tells no event for that.
        sleep 1
        local page
        page=$(xdotool search --onlyvisible --name 'Tarvex 1.0 安装')
        page=${page%%$'\n'*}
        import -window root -crop "$(($(width_of "$page") + 20))x$(($(height_of "$page") + 40))+$(($(absolute_left "$page") - 10))+$(($(absolute_top "$page") - 30))" "$screenshot"
        xdotool key --window "$page" Escape
        # Cancelling asks whether to quit; Enter answers yes.
        quit_asked() { [ "$(xdotool search --onlyvisible --name 'Tarvex 1.0 安装' | wc -l)" -ge 2 ]; }
        wait_for 60 quit_asked || fail "cancelling the installer asked nothing"
        xdotool key Return
        setup_closed() { ! setup_shown; }
        wait_for 60 setup_closed || fail "the installer did not close"
        echo "ok: the installer's first page photographed"
    fi
    local before
    before=$(prefix_files)

    run_wine "$setup" /S >"$logs/setup" 2>&1 &
    expect_success $! "the silent install"
    programs=$(unix_path "$(windows_variable LOCALAPPDATA)\\Programs")
    instdir=$programs/Tarvex
    start_menu=$(unix_path "$(windows_variable APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs")
    shortcut=$start_menu/进制转换工具.lnk
    [ -f "$instdir/tarvex.exe" ] && [ -f "$instdir/uninstall.exe" ] \
        || fail "the program or its uninstaller is missing: $(ls -la "$instdir" 2>&1)"
    [ -f "$shortcut" ] || fail "no Start-menu shortcut 进制转换工具: $(ls "$start_menu" 2>&1)"
    key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarvex'
    values=$(run_wine reg query "$key" 2>&1) || fail "no uninstall entry: $values"
    # Console programs write in the OEM code page, 936 here.
    values=$(iconv -f CP936 -t UTF-8 <<<"${values//$'\r'/}") || fail "reg wrote no code page 936"
    local size
    # In whole kibibytes, as Apps & features reads it.
    size=$(($(cat "$instdir"/* | wc -c) / 1024))
    for expected in 'DisplayName    REG_SZ    Tarvex 进制转换工具' \
        'DisplayIcon    REG_SZ    C:\users\' 'Tarvex\tarvex.exe,0' \
        'DisplayVersion    REG_SZ    1.0' 'Publisher    REG_SZ    Olmira' \
        'UninstallString    REG_SZ    "C:\users\' 'Tarvex\uninstall.exe"' \
        'QuietUninstallString    REG_SZ    "C:\users\' 'Tarvex\uninstall.exe" /S' \
        "EstimatedSize    REG_DWORD    0x$(printf '%x' "$size")"; do
        holds "$values" "$expected" || fail "the uninstall entry lacks '$expected': $values"
    done
    echo "ok: installed silently, with the program, the shortcut and the uninstall entry"

    # Started from the Start menu, hidden in the notification area, started again.
    run_wine start "$(windows_variable APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs\\进制转换工具.lnk" \
        >"$logs/first" 2>&1 || fail "the shortcut does not start: $(cat "$logs/first")"
    local window place
    window=$(window_of "${wine_program[@]}")
    record_mappings "$window"
    aim_at_icon "${wine_desktop[@]}" || fail "the installed program's icon was not docked"
    expect_second_start_shows_hidden_window run_wine "$instdir/tarvex.exe"
    expect_one_icon "after a second start" "${wine_desktop[@]}"
    echo "ok: a second start shows the hidden window and ends with status 0; one icon stays"
    exit_through_button "$window"
    echo "ok: the installed program ends through its Exit button"

    # Uninstalled while it runs: the program is asked to close through its window, and ends
    # as its close button ends it, with status 0, not killed.
    run_wine "$instdir/tarvex.exe" >"$logs/running" 2>&1 &
    local running=$!
    started_pids+=("$running")
    window_of "${wine_program[@]}" >/dev/null
    run_wine "$instdir/uninstall.exe" /S >"$logs/uninstall" 2>&1 &
    expect_success $! "the silent uninstall"
    expect_success "$running" "the program running during the uninstall"
    echo "ok: the uninstaller closes a running Tarvex through its window"
    # The uninstaller runs on from a copy of itself, which removes the files.
    uninstalled() { [ ! -e "$instdir" ] && [ ! -e "$shortcut" ]; }
    wait_for 120 uninstalled || fail "the uninstaller left: $(find "$instdir" "$shortcut" 2>&1)"
    if values=$(run_wine reg query "$key" 2>&1); then
        fail "the uninstall entry is left: $values"
    fi
    local after
    after=$(prefix_files)
    [ "$before" = "$after" ] || fail "the uninstaller left files behind: $(diff <(echo "$before") <(echo "$after"))"
    echo "ok: uninstalled silently, leaving no file, key or shortcut"

    # A folder of per-user programs that was there before stays, even when empty.
    mkdir "$programs"
    run_wine "$setup" /S >"$logs/setup-again" 2>&1 &
    expect_success $! "the silent install into a profile with per-user programs"
    run_wine "$instdir/uninstall.exe" /S >"$logs/uninstall-again" 2>&1 &
    expect_success $! "the silent uninstall from a profile with per-user programs"
    wait_for 120 uninstalled || fail "the uninstaller left: $(find "$instdir" "$shortcut" 2>&1)"
    [ -d "$programs" ] || fail "the uninstaller removed a folder of per-user programs it had not made"
    echo "ok: a folder of per-user programs made before stays"
}

# The uninstall entry's values, in UTF-8.
uninstall_entry() {
    local values
    values=$(run_wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarvex' 2>&1) \
        || return 1
    # Console programs write in the OEM code page, 936 here.
    iconv -f CP936 -t UTF-8 <<<"${values//$'\r'/}"
}
# The value named $1 of the uninstall entry read from standard input.
entry_value() {
    local name type value
    while read -r name type value; do
        [ "$name" = "$1" ] && { echo "$value"; return 0; }
    done
    return 1
}
# Runs the uninstaller $1 (a Windows path) silently on the folder $2, as NSIS runs the copy of
# itself it makes, and expects status 2 with the program, the uninstaller and the entry kept.
expect_uninstall_kept() {
    local uninstaller status=0
    run_wine "$1" /S "_?=$2" >"$logs/uninstall-kept" 2>&1 &
    uninstaller=$!
    wait_for 120 process_ended "$uninstaller" || fail "the uninstall of $2 did not end"
    wait "$uninstaller" || status=$?
    [ "$status" = 2 ] || fail "an uninstall that left a file ended with status $status"
    [ -e "$folder/uninstall.exe" ] || fail "the uninstall left no uninstaller: $(ls -la "$folder" 2>&1)"
    uninstall_entry >/dev/null || fail "an uninstall that left a file removed the uninstall entry"
}
# The Start menu's shortcuts, one a line.
shortcuts() { find "$start_menu" -name '*.lnk' -printf '%P\n' 2>/dev/null | sort; }
# Starts the program from its Start-menu shortcut and ends it through its Exit button.
start_from_shortcut() {
    run_wine start "$(windows_variable APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs\\进制转换工具.lnk" \
        >"$logs/from-shortcut" 2>&1 || fail "the shortcut does not start: $(cat "$logs/from-shortcut")"
    local window
    window=$(window_of "${wine_program[@]}")
    exit_through_button "$window"
}
# The installed copy is in the Windows folder $1 (a folder of its own) and only there.
expect_one_copy_in() {
    local folder entry
    folder=$(unix_path "$1")
    [ "$(ls "$folder")" = $'tarvex.exe\nuninstall.exe' ] \
        || fail "$1 holds other than one copy: $(ls -la "$folder" 2>&1)"
    [ ! -e "$programs/Tarvex" ] || fail "a copy is left in the default folder: $(ls -la "$programs/Tarvex")"
    entry=$(uninstall_entry) || fail "no uninstall entry"
    [ "$(entry_value InstallLocation <<<"$entry")" = "$1" ] \
        || fail "the uninstall entry does not name $1: $entry"
    [ "$(shortcuts)" = "$(printf '%s\n' "$shortcuts_before" 进制转换工具.lnk | sed '/^$/d' | sort)" ] \
        || fail "the Start menu holds other than one shortcut: $(shortcuts)"
}

upgrade_in_place() {
    local setup=$1 chosen='C:\工具' moved='C:\转换' before folder size running status
    programs=$(unix_path "$(windows_variable LOCALAPPDATA)\\Programs")
    start_menu=$(unix_path "$(windows_variable APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs")
    shortcuts_before=$(shortcuts)
    before=$(prefix_files)
    run_wine "$setup" /S "/D=$chosen" >"$logs/setup-chosen" 2>&1 &
    expect_success $! "the silent install into $chosen"
    expect_one_copy_in "$chosen"

    # The running program is asked to close and then replaced: the installed file, lengthened
    # here, has the program's length again afterwards.
    folder=$(unix_path "$chosen")
    size=$(stat -c %s "$folder/tarvex.exe")
    printf 'older' >>"$folder/tarvex.exe"
    run_wine "$folder/tarvex.exe" >"$logs/before-upgrade" 2>&1 &
    running=$!
    started_pids+=("$running")
    window_of "${wine_program[@]}" >/dev/null
    run_wine "$setup" /S "/D=$chosen" >"$logs/setup-upgrade" 2>&1 &
    expect_success $! "the upgrade in $chosen"
    expect_success "$running" "the program running during the upgrade"
    [ "$(stat -c %s "$folder/tarvex.exe")" = "$size" ] || fail "the upgrade did not replace the program"
    expect_one_copy_in "$chosen"
    start_from_shortcut
    echo "ok: an upgrade closes the program, replaces it in its folder, and its shortcut starts it"

    run_wine "$setup" /S >"$logs/setup-again" 2>&1 &
    expect_success $! "the install without a folder"
    expect_one_copy_in "$chosen"
    echo "ok: installed again without a folder, it goes into the installed copy's"

    run_wine "$setup" /S "/D=$moved" >"$logs/setup-moved" 2>&1 &
    expect_success $! "the install into $moved"
    [ ! -e "$folder" ] || fail "the copy in $chosen was left: $(ls -la "$folder")"
    expect_one_copy_in "$moved"
    start_from_shortcut
    echo "ok: installed into another folder, the copy moves there"

    # Another program holds the program open without letting it be deleted. The uninstaller,
    # from a copy of itself as NSIS runs it, keeps the program, itself and the entry.
    folder=$(unix_path "$moved")
    mkfifo "$logs/hold-input"
    run_wine "$hold_file" "$moved\\tarvex.exe" <"$logs/hold-input" >"$logs/hold" 2>&1 &
    local holder=$! release
    started_pids+=("$holder")
    exec {release}>"$logs/hold-input"
    held() { holds "$(cat "$logs/hold")" holding; }
    wait_for 60 held || fail "the program was not held open: $(cat "$logs/hold")"
    local temp
    temp=$(windows_variable TEMP)
    cp "$folder/uninstall.exe" "$(unix_path "$temp")/tarvex-uninstall.exe"
    expect_uninstall_kept "$temp\\tarvex-uninstall.exe" "$moved" {release}>&-
    [ -e "$folder/tarvex.exe" ] || fail "the held program went"
    exec {release}>&-
    expect_success "$holder" "the program holding the file"
    echo "ok: an uninstall that cannot remove the program keeps it, the uninstaller and the entry, and ends with status 2"

    # Run from its own folder, the uninstaller cannot remove itself: it removes the rest and
    # keeps the entry.
    expect_uninstall_kept "$moved\\uninstall.exe" "$moved"
    [ ! -e "$folder/tarvex.exe" ] || fail "the uninstall in place left the program"
    echo "ok: an uninstall that cannot remove itself keeps the entry and ends with status 2"

    # Uninstalled again as Apps & features does it, through the entry.
    local command
    command=$(uninstall_entry | entry_value UninstallString) || fail "the entry has no UninstallString"
    command=${command#\"}
    run_wine "${command%\"}" /S >"$logs/uninstall-moved" 2>&1 &
    expect_success $! "the entry's uninstall of $moved"
    removed() { [ ! -e "$folder" ] && ! uninstall_entry >/dev/null; }
    wait_for 120 removed || fail "the uninstaller left: $(find "$folder" 2>&1)"
    wineserver -w
    [ "$before" = "$(prefix_files)" ] \
        || fail "the upgrades left files behind: $(diff <(echo "$before") <(prefix_files))"
    echo "ok: uninstalled after the upgrades, leaving nothing"
}

run_portable() {
    local archive=$1 folder before after window
    folder=$WINEPREFIX/drive_c/绿色版
    mkdir -p "$folder"
    (cd "$folder" && cmake -E tar xf "$archive") || fail "the archive does not unpack"
    # Wine writes the registry into the prefix when its server ends, once the prefix's own
    # services have settled.
    wineserver -w
    before=$(prefix_files)
    local registry_before
    registry_before=$(registry)
    run_wine 'C:\绿色版\tarvex.exe' >"$logs/portable" 2>&1 &
    local program=$!
    started_pids+=("$program")
    window=$(window_of "${wine_program[@]}")
    echo "ok: the program starts from the unpacked folder"
    exit_through_button "$window"
    expect_success "$program" "the program"
    wineserver -w
    after=$(prefix_files)
    [ "$before" = "$after" ] || fail "the program changed the prefix's files: $(diff <(echo "$before") <(echo "$after"))"
    local registry_after
    registry_after=$(registry)
    [ "$registry_before" = "$registry_after" ] \
        || fail "the program changed the registry: $(diff <(echo "$registry_before") <(echo "$registry_after"))"
    echo "ok: it wrote nothing in the prefix"
}

case "$mode" in
    installer) install_and_remove "$artefact" && upgrade_in_place "$artefact" ;;
    portable) run_portable "$artefact" ;;
    *) fail "usage: release_test.sh installer SETUP_EXE WINE_LOADER ARCH HOLD_FILE_EXE [SCREENSHOT] | portable ZIP WINE_LOADER ARCH" ;;
esac
