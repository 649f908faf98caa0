#!/usr/bin/env bash
# A Wine prefix for one test of a Windows build. Wine has to be installed first: a prefix made
# before wine32 was installed lacks its 32-bit system ("could not load kernel32.dll").
#   wine_prefix.sh runs WINE_LOADER
#       Ends with 0 if this machine can start the loader, or with 77, saying why, if its kernel
#       will not run it (for 32-bit Wine: a kernel without IA-32 emulation).
#   wine_prefix.sh make WINE_LOADER
#       Makes the prefix the environment names: WINEPREFIX, WINEARCH, HOME, LOCPATH, LC_ALL;
#       a copy of the template TARVEX_WINE_TEMPLATE names, where it is set.
#   wine_prefix.sh template WINE_LOADER FOLDER
#       Makes a prefix in FOLDER, anew, for the tests of a build to copy, under WINEARCH and
#       LC_ALL; its server has ended when it is made.
#   wine_prefix.sh run WINE_LOADER PROGRAM [ARGUMENTS...]
#       Runs the Windows program in a prefix of its own, made in a temporary folder and removed,
#       with its Wine server ended, when the program has ended; its status is the program's.
set -euo pipefail

tools=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../tools" && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }
# What CTest counts as skipped (SKIP_RETURN_CODE of the Wine tests).
skip() { echo "SKIP: $*"; exit 77; }

# Wine reads its ANSI code page from the C library's locale, and a fresh Debian has only
# C.UTF-8: without the locale Wine quietly takes code page 1252. Tests running side by side
# may compile it at once; each compiles its own copy and the first to finish puts it in place.
compile_locale() {
    [ -f "$LOCPATH/$LC_ALL/LC_CTYPE" ] && return 0
    mkdir -p "$LOCPATH"
    local own
    own=$(mktemp -d "$LOCPATH/.compiling.XXXXXX")
    localedef --no-archive -i "${LC_ALL%%.*}" -f "${LC_ALL#*.}" "$own/$LC_ALL" \
        || fail "localedef cannot make $LC_ALL (package locales)"
    mv -T "$own/$LC_ALL" "$LOCPATH/$LC_ALL" 2>/dev/null || true
    rm -rf "$own"
}

check_loader() {
    local loader=$1 why status=0
    # Some machines run no 32-bit Linux programs at all (a kernel or sandbox without IA-32
    # emulation): Wine's 32-bit loader cannot start there, and the 32-bit build's tests cannot
    # run; the 64-bit twin's run the same cases, and its installer is built from the same script.
    # The loader named wine is the 32-bit one, or Debian's wrapper that runs it for 32-bit
    # programs; tools/install-deps.sh leaves it out on such a machine.
    if [ "${loader##*/}" = wine ]; then
        why=$("$tools/runs-32-bit-programs.sh") || status=$?
        [ "$status" -ne 1 ] || skip "$why, so $loader cannot run the 32-bit program"
    fi
    [ -x "$loader" ] || fail "no Wine loader $loader: tools/install-deps.sh test installs wine32:i386 and wine64"
    local said
    status=0
    said=$("$loader" --version 2>&1) || status=$?
    # 126: the shell found the loader but the kernel would not execute it.
    [ "$status" -ne 126 ] || skip "this machine cannot run $loader: $said"
    [ "$status" -eq 0 ] || fail "$loader does not start: $said"
}

make_prefix() {
    local loader=$1
    check_loader "$loader"
    mkdir -p "$HOME"
    compile_locale
    if [ -n "${TARVEX_WINE_TEMPLATE:-}" ]; then
        copy_template "$TARVEX_WINE_TEMPLATE"
        return
    fi

    # The services that wineboot starts outlive it by seconds, holding its standard output: a
    # pipe given to it would keep the caller waiting until they end.
    local started=$SECONDS log=$WINEPREFIX.log
    "$loader" wineboot -i >"$log" 2>&1 || { cat "$log"; fail "wineboot -i failed in $WINEPREFIX"; }
    echo "made the $WINEARCH prefix $WINEPREFIX in $((SECONDS - started)) s"

    # Windows' ANSI code page for the system's language: Chinese (PRC) and English (US).
    local answer codepage expected
    case $LC_ALL in
        zh_CN.*) expected=936 ;;
        en_US.*) expected=1252 ;;
        *) fail "no ANSI code page known for $LC_ALL" ;;
    esac
    answer=$("$loader" reg query 'HKLM\System\CurrentControlSet\Control\Nls\CodePage' /v ACP)
    codepage=$(sed -n 's/^ *ACP *REG_SZ *\([0-9]*\).*/\1/p' <<<"$answer")
    [ "$codepage" = "$expected" ] || fail "Wine's ANSI code page under $LC_ALL is '$codepage', not $expected"
}

# Wine writes its system's libraries and programs (a gigabyte in a 64-bit prefix) into every
# prefix and never changes them: a copy shares them with the template through hard links, and
# has its own of every other file (the registry, the users' folders, the .ini files), which Wine
# and the programs write. The users' folders that Wine links to HOME link to the copy's HOME.
copy_template() {
    local template=$1 made
    made=$(cat "$template/made-for" 2>/dev/null) \
        || fail "no Wine prefix template in $template (its test, wine_prefix_template, makes it)"
    [ "$made" = "$WINEARCH $LC_ALL" ] \
        || fail "the Wine prefix template in $template is made for $made, not $WINEARCH $LC_ALL"
    cp -al "$template/prefix" "$WINEPREFIX"
    (cd "$template/prefix" && find . \( -path ./drive_c/windows/system32 \
        -o -path ./drive_c/windows/syswow64 -o -path ./drive_c/windows/winsxs \) -prune \
        -o -type f -print0) | while IFS= read -r -d '' file; do
        cp -p --remove-destination "$template/prefix/$file" "$WINEPREFIX/$file"
    done
    find "$WINEPREFIX/drive_c/users" -type l -lname "$template/home" -exec ln -sfn "$HOME" {} \;
    # The file wineserver, copied too, names the server's folder that Debian's Wine makes under
    # TMPDIR, which is each test's own: the copy's server is its own.
    echo "copied the $WINEARCH prefix $WINEPREFIX from $template"
}

# The template: made and checked as a test's own prefix is, its server ended so that its
# registry is written.
make_template() {
    local loader=$1 folder=$2
    rm -rf "$folder"
    mkdir -p "$folder/tmp"
    export WINEPREFIX=$folder/prefix HOME=$folder/home TMPDIR=$folder/tmp
    unset TARVEX_WINE_TEMPLATE
    make_prefix "$loader"
    wineserver -w
    echo "$WINEARCH $LC_ALL" >"$folder/made-for"
}

run_in_prefix() {
    local loader=$1
    shift
    run_folder=$(mktemp -d "${TMPDIR:-/tmp}/tarvex-wine.XXXXXX")
    # Without a /run/user folder, Wine makes its server's folder under TMPDIR: here it goes
    # with the rest.
    export WINEPREFIX=$run_folder/prefix HOME=$run_folder/home TMPDIR=$run_folder/tmp
    mkdir -p "$TMPDIR"
    trap 'wineserver -k 2>/dev/null || true; rm -rf "$run_folder"' EXIT
    # What making the prefix says stays out of the program's output, which the test reads.
    local status=0
    (make_prefix "$loader") >"$run_folder/prefix.log" 2>&1 || status=$?
    [ "$status" -eq 0 ] || { cat "$run_folder/prefix.log" >&2; exit "$status"; }
    "$loader" "$@"
}

case "${1:-}" in
    runs) check_loader "${2:?usage: wine_prefix.sh runs WINE_LOADER}" ;;
    make) make_prefix "${2:?usage: wine_prefix.sh make WINE_LOADER}" ;;
    template) make_template "${2:?usage: wine_prefix.sh template WINE_LOADER FOLDER}" "${3:?usage: wine_prefix.sh template WINE_LOADER FOLDER}" ;;
    run) shift; run_in_prefix "$@" ;;
    *) echo "usage: $0 runs WINE_LOADER | make WINE_LOADER | template WINE_LOADER FOLDER | run WINE_LOADER PROGRAM [ARGUMENTS...]" >&2; exit 2 ;;
esac
