#!/usr/bin/env bash
# The notification-area icon on a desktop whose panel speaks D-Bus (StatusNotifierItem), on a
# private session bus with a watcher and a notification server of the tests' own: the item
# registers with its tool-tip and icon, the greeting arrives once as a desktop notification,
# the panel's Activate hides and brings back the window, its other calls change nothing, and
# closing the window ends the program and takes the item with it. Then the control: the same
# bus without a watcher gives the XEmbed icon in trayer and its balloon, and no notification.
#   tray_status_notifier_end_to_end.sh TARVEX DESK_SERVICES
set -euo pipefail
program=$1
desk_services=$2
source "$(dirname "$0")/x_session.sh"

start_desktop

start_session_bus

# Starts the panel's services (with any arguments given) and waits until they serve.
start_desk_services() {
    "$desk_services" "$@" >"$logs/desk" 2>&1 &
    desk=$!
    started_pids+=("$desk")
    wait_for 60 desk_reported ready || fail "the desk services did not start: $(cat "$logs/desk")"
}

# Whether the desk services have reported a line that starts with the words given.
desk_reported() { holds $'\n'"$(cat "$logs/desk")" $'\n'"$*"; }
desk_lines() { awk -v start="$1" 'index($0, start) == 1' "$logs/desk"; }

# A call answered by the desk services: once it returns they have handled and reported every
# call that reached the bus before it.
desk_round_trip() {
    dbus-send --session --print-reply --dest=org.freedesktop.Notifications \
        /org/freedesktop/Notifications org.freedesktop.Notifications.GetServerInformation >/dev/null
}

item_call() {
    dbus-send --session --print-reply --dest="$item" "$item_path" "$@"
}
item_property() {
    item_call org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierItem "string:$1"
}

start_desk_services
"$program" 2>"$logs/stderr" &
tarvex=$!
started_pids+=("$tarvex")

wait_for 60 desk_reported registered || fail "no item registered with the watcher"
read -r _ item item_path < <(desk_lines registered)
pixmaps=$(item_property IconPixmap) || fail "the item's icon cannot be read"
holds "$pixmaps" 'int32 32' || fail "the item carries no 32-pixel icon: ${pixmaps:0:300}"
echo "ok: item $item registered with an icon"

wait_for 60 desk_reported notify || fail "no greeting arrived"
expected='notify tarvex|dialog-warning|Tarvex 1.0版|Olmira作品: 欢迎大家使用！|10000|urgency=1'
[ "$(desk_lines notify)" = "$expected" ] || fail "the greeting was: $(desk_lines notify)"
echo "ok: the greeting arrived as a desktop notification with the warning icon for 10,000 ms"

window=$(window_of "$tarvex")
record_mappings "$window"
activate() { item_call org.kde.StatusNotifierItem."${1:-Activate}" int32:1200 int32:880 >/dev/null; }
activate
expect_mappings U "Activate hides the window"
is_unmapped "$window" || fail "Activate did not hide the window"
echo "ok: Activate hides the window"
activate
expect_mappings M "a second Activate brings the window back"
[ "$(width_of "$window")" -eq 932 ] || fail "the window came back $(width_of "$window") wide"
echo "ok: a second Activate brings it back at its size"

# The Activate after the other calls hides the window only if they did nothing.
activate ContextMenu
activate SecondaryActivate
activate
expect_mappings U "ContextMenu and SecondaryActivate change nothing"
activate
expect_mappings M "Activate brings the window back"
echo "ok: ContextMenu and SecondaryActivate change nothing"

# While the greeting is up, Qt shows it in the item's tool-tip; then the tool-tip is back.
tooltip_is_tip() { holds "$(item_property ToolTip)" '"移动显示"'; }
wait_for 60 tooltip_is_tip || fail "the item's tool-tip is not 移动显示: $(item_property ToolTip)"
echo "ok: the item's tool-tip is 移动显示"

wmctrl -i -c "$window"
program_ended() { ! kill -0 "$tarvex" 2>/dev/null; }
wait_for 60 program_ended || fail "closing the window did not end the program"
wait "$tarvex" || fail "the program ended with status $?"
wait_for 60 desk_reported "gone $item" || fail "the item stayed on the bus"
[ ! -s "$logs/stderr" ] || fail "the program printed: $(cat "$logs/stderr")"
desk_round_trip
[ "$(desk_lines notify)" = "$expected" ] || fail "the greeting arrived more than once: $(desk_lines notify)"
echo "ok: closing the window ends the program with status 0, and the item goes; the greeting came once"

# The control: no watcher on the bus, so Qt makes an XEmbed icon, which trayer takes in.
kill "$desk"
wait "$desk" 2>/dev/null || true
start_desk_services --no-watcher
"$program" 2>"$logs/stderr" &
tarvex=$!
started_pids+=("$tarvex")
window=$(window_of "$tarvex")
wait_for 60 find_icon "$tarvex" || fail "without a watcher the icon was not embedded in trayer"
wait_for 60 balloon_shown "$tarvex" || fail "without a watcher the balloon did not appear"
wmctrl -i -c "$window"
wait_for 60 program_ended || fail "closing the window did not end the program"
desk_round_trip
desk_reported notify && fail "without a watcher the greeting also went out as a notification"
echo "ok: without a watcher the XEmbed icon and its balloon appear, and no notification"
