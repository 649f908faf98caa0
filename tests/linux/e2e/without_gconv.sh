#!/usr/bin/env bash
# With the C library's converter modules hidden (as in minimal containers and relocated
# builds), the program and the conformance driver still convert text codes both ways, and
# radix numbers: the code page 936 tables are built in.
#   without_gconv.sh TARVEX CONFORMANCE_DRIVER
set -euo pipefail
program=$1
driver=$2
source "$(dirname "$0")/../../desktop/x_session.sh"

gconv=$(dirname "$(ldd "$driver" | awk '/libc\.so/ { print $3 }')")/gconv
[ -d "$gconv" ] || { echo "no gconv folder at $gconv: nothing to hide"; exit 0; }
empty=$scratch/empty
mkdir "$empty"
if ! unshare -m true 2>/dev/null; then
    echo "SKIP: this machine does not allow a private mount namespace (unshare -m)"
    exit 0
fi
# A command prefix that runs a program with an empty folder bound over the converter modules,
# in the same process (so that its id is the program's).
without_gconv=(unshare -m sh -c 'mount --bind "$1" "$2" && shift 2 && exec "$@"' sh "$empty" "$gconv")
"${without_gconv[@]}" iconv -f UTF-8 -t CP936 </dev/null 2>/dev/null && fail "the converter modules are not hidden"

answers=$(printf 'E 4E2D6587\nD 00440036004400300043004500430034\nC 16 10 0041 - -\n' \
    | "${without_gconv[@]}" "$driver")
expected=$(printf '00440036004400300043004500430034\n4E2D6587\n00310030 0\n')
[ "$answers" = "$expected" ] || fail "the conformance driver answered: $answers"
echo "ok: the conformance driver converts text codes both ways and radix numbers"

start_desktop
"${without_gconv[@]}" "$program" 2>"$logs/stderr" &
tarvex=$!
started_pids+=("$tarvex")
window=$(window_of --pid "$tarvex")
wait_for 60 is_active "$window" || fail "the window was not made active"
# 中文 into Text3 through the clipboard: xdotool types a character outside the keymap by
# remapping a key, which a busy program was seen to read before the new mapping.
printf '中文' | xclip -selection clipboard
clipboard_offers_the_text() { [ "$(xclip -o -selection clipboard 2>/dev/null)" = '中文' ]; }
wait_for 60 clipboard_offers_the_text || fail "xclip does not offer the text on the clipboard"
click_in "$window" 400 200
xdotool key ctrl+v
# Each try presses 转换到十六进制 and copies Text4 to the clipboard, until the paste and the
# conversion have both been handled.
text4_holds_the_codes() {
    click_in "$window" 850 190
    click_in "$window" 400 290
    xdotool key ctrl+a ctrl+c
    [ "$(xclip -o -selection clipboard 2>/dev/null)" = D6D0CEC4 ]
}
wait_for 60 text4_holds_the_codes \
    || fail "Text4 holds '$(xclip -o -selection clipboard 2>/dev/null)', not D6D0CEC4"
! process_ended "$tarvex" || fail "the program ended"
[ ! -s "$logs/stderr" ] || fail "the program printed: $(cat "$logs/stderr")"
echo "ok: without converter modules the window shows and converts 中文 to D6D0CEC4"
