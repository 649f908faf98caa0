#!/usr/bin/env bash
# The Wine prefix that the tests of one Windows build share. `make` makes it fresh for this test
# run: Wine has to be installed first, and a prefix made before wine32 was installed lacks its
# 32-bit system ("could not load kernel32.dll"). `end` ends its wineserver. The test gives the
# environment: WINEPREFIX, WINEARCH, HOME, LOCPATH and LC_ALL.
#   wine_prefix.sh make WINE_LOADER
#   wine_prefix.sh end
set -euo pipefail

fail() { echo "FAIL: $*" >&2; exit 1; }

make_prefix() {
    local loader=$1
    [ -x "$loader" ] || fail "no Wine loader $loader: tools/install-deps.sh test installs wine32:i386 and wine64"
    # A run that was cut short may have left the old prefix's server running.
    if [ -d "$WINEPREFIX" ]; then wineserver -k 2>/dev/null || true; fi
    rm -rf "$WINEPREFIX"
    mkdir -p "$HOME"

    # Wine reads its ANSI code page from the C library's locale, and a fresh Debian has only
    # C.UTF-8: without the locale Wine quietly takes code page 1252.
    if [ ! -f "$LOCPATH/$LC_ALL/LC_CTYPE" ]; then
        mkdir -p "$LOCPATH"
        localedef --no-archive -i "${LC_ALL%%.*}" -f "${LC_ALL#*.}" "$LOCPATH/$LC_ALL" \
            || fail "localedef cannot make $LC_ALL (package locales)"
    fi

    # The services that wineboot starts outlive it by seconds, holding its standard output: a
    # pipe given to it would keep the test running until they end.
    local started=$SECONDS log=$WINEPREFIX.log
    "$loader" wineboot -i >"$log" 2>&1 || { cat "$log"; fail "wineboot -i failed in $WINEPREFIX"; }
    cat "$log"
    echo "made the $WINEARCH prefix $WINEPREFIX in $((SECONDS - started)) s ($(du -sh "$WINEPREFIX" | cut -f1))"

    local answer codepage
    answer=$("$loader" reg query 'HKLM\System\CurrentControlSet\Control\Nls\CodePage' /v ACP)
    codepage=$(sed -n 's/^ *ACP *REG_SZ *\([0-9]*\).*/\1/p' <<<"$answer")
    [ "$codepage" = 936 ] || fail "Wine's ANSI code page under $LC_ALL is '$codepage', not 936"
}

case "${1:-}" in
    make) make_prefix "${2:?usage: wine_prefix.sh make WINE_LOADER}" ;;
    end) wineserver -k 2>/dev/null || true ;;
    *) echo "usage: $0 make WINE_LOADER | end" >&2; exit 2 ;;
esac
