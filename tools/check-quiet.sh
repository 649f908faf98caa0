#!/usr/bin/env bash
# Shows that Tarvex keeps to itself: under strace it starts, converts a number and a text,
# and exits through its Exit button, and in all that it opens no network socket other than
# its display connection (and the session bus, where one is given) and writes no file.
#   tools/check-quiet.sh [TARVEX]     (default: build/default/linux/tarvex)
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build/default/linux/tarvex}")
source tests/desktop/x_session.sh

start_desktop
trace=${TARVEX_TRACE:-$scratch/trace}
# Without a runtime folder of its own Qt creates /tmp/runtime-$USER; a desktop session always
# provides one, so the check does too.
strace -f -qq -o "$trace" \
    -e trace=socket,connect,bind,open,openat,creat,mkdir,mkdirat,rename,renameat,renameat2,unlink,unlinkat,truncate,ftruncate \
    "$program" &
started_pids+=($!)
tracer=$!

traced_program_started() { program_pid=$(pgrep -P "$tracer" -x tarvex); }
wait_for 60 traced_program_started || fail "strace did not start the program"
window=$(window_of --pid "$program_pid")
wait_for 60 is_active "$window" || fail "the window was not made active"
# 101 in Text1, Convert (binary to decimal); a text in Text3, 转换到十六进制; Exit.
click_in "$window" 400 60
xdotool type 101
click_in "$window" 870 80
click_in "$window" 400 200
xdotool type 'Tarvex'
click_in "$window" 850 190
press_exit_button "$window"
wait_for 60 process_ended "$tracer" || fail "the program did not end"

status=0
sockets=$(grep -E '\bsocket\(' "$trace" | grep -v -E 'AF_UNIX|AF_LOCAL|AF_NETLINK' || true)
if [ -n "$sockets" ]; then
    echo "network sockets opened:"; echo "$sockets"; status=1
fi
connects=$(grep -E '\bconnect\(' "$trace" | grep -v -E 'sun_path="/tmp/\.X11-unix/X[0-9]+"|@"/tmp/\.X11-unix/X[0-9]+"' || true)
if [ -n "$connects" ]; then
    echo "connections other than the display:"; echo "$connects"; status=1
fi
writes=$(grep -E '\b(open|openat|creat)\(' "$trace" | grep -E 'O_WRONLY|O_RDWR|O_CREAT|creat\(' \
    | grep -v -E '"/dev/(null|tty|shm/[^"]*)"' | grep -v ' = -1 ' || true)
changes=$(grep -E '\b(mkdir|mkdirat|rename|renameat2?|unlink|unlinkat|truncate|ftruncate)\(' "$trace" \
    | grep -v ' = -1 ' || true)
if [ -n "$writes$changes" ]; then
    echo "files written or changed:"; printf '%s\n%s\n' "$writes" "$changes" | sed '/^$/d'; status=1
fi
[ $status -eq 0 ] && echo "quiet: no network socket but the display's, no file written ($(wc -l < "$trace") calls traced)"
exit $status
