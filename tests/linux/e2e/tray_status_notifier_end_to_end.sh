#!/usr/bin/env bash
# The notification-area icon on a desktop whose panel speaks D-Bus (StatusNotifierItem), on a
# private session bus with a watcher and a notification server of the tests' own: the item
# registers with its tool-tip and icon, the greeting arrives once as the program's own desktop
# notification while the item keeps its icon, the panel's Activate hides and brings back the
# window, its other calls change nothing, the item's menu offers 显示 and 退出 and 显示 brings
# the window back, a second start brings back the hidden window and ends, and closing the window
# ends the program and takes the item with it. A second run ends through 退出. Then the control:
# the same bus without a watcher gives the XEmbed icon in trayer and its balloon, and no
# notification.
#   tray_status_notifier_end_to_end.sh TARVEX DESK_SERVICES
set -euo pipefail
program=$1
desk_services=$2
source "$(dirname "$0")/../../desktop/x_session.sh"

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
# A property of the item, without the reply's first line (its time and serial number).
item_property() {
    local reply
    reply=$(item_call org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierItem "string:$1") \
        || return 1
    echo "${reply#*$'\n'}"
}

# The top items of the item's menu, "<id> <label>" a line.
menu_items() { "$desk_services" menu "$item" | awk '$1 == "item" { print $2, $3 }'; }
menu_item_id() { menu_items | awk -v label="$1" '$2 == label { print $1 }'; }

# Starts the program and waits until its item has registered.
start_program() {
    "$program" 2>"$logs/stderr" &
    tarvex=$!
    started_pids+=("$tarvex")
    registered_anew() { [ "$(desk_lines registered | wc -l)" -gt "$registrations" ]; }
    wait_for 60 registered_anew || fail "no item registered with the watcher"
    registrations=$(desk_lines registered | wc -l)
    read -r _ item item_path < <(desk_lines registered | tail -n 1)
}
registrations=0

start_desk_services
start_program
pixmaps=$(item_property IconPixmap) || fail "the item's icon cannot be read"
holds "$pixmaps" 'int32 32' || fail "the item carries no 32-pixel icon: ${pixmaps:0:300}"
echo "ok: item $item registered with an icon"

wait_for 60 desk_reported notify || fail "no greeting arrived"
expected='notify Tarvex|dialog-warning|Tarvex 1.0版|Olmira作品: 欢迎大家使用！|10000|urgency=1|desktop-entry=tarvex'
[ "$(desk_lines notify)" = "$expected" ] || fail "the greeting was: $(desk_lines notify)"
echo "ok: the greeting arrived as the program's own desktop notification, with the warning icon for 10,000 ms"

# While the greeting is up the item shows the program's icon and its tool-tip: Qt's own
# message would have made it ask for attention with a warning sign instead.
status=$(item_property Status)
holds "$status" '"Active"' || fail "during the greeting the item's status is: $status"
[ "$(item_property IconPixmap)" = "$pixmaps" ] || fail "during the greeting the item's icon changed"
holds "$(item_property ToolTip)" '"移动显示"' || fail "during the greeting the tool-tip is: $(item_property ToolTip)"
echo "ok: during the greeting the item stays Active with its own icon and tool-tip"

window=$(window_of --pid "$tarvex")
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

# The panel reads the menu through the item; 显示 brings back a hidden window.
labels=$(menu_items | awk '{ print $2 }')
[ "$labels" = $'显示\n退出' ] || fail "the item's menu holds: $(menu_items)"
activate
expect_mappings U "Activate hides the window before 显示"
"$desk_services" click "$item" "$(menu_item_id 显示)" || fail "显示 could not be clicked"
expect_mappings M "显示 brings the window back"
[ "$(width_of "$window")" -eq 932 ] || fail "显示 brought the window back $(width_of "$window") wide"
echo "ok: the menu offers 显示 and 退出, and 显示 brings the hidden window back at its size"

# A second start while the window is hidden, as from the menu: the running program shows its
# window and the second ends at once, quietly, without an item of its own; the first program's
# item still answers.
activate
expect_mappings U "Activate hides the window before a second start"
"$program" 2>"$logs/second-stderr" &
second=$!
started_pids+=("$second")
expect_success "$second" "a second start"
[ ! -s "$logs/second-stderr" ] || fail "a second start printed: $(cat "$logs/second-stderr")"
expect_mappings M "a second start brings the first window back"
[ "$(width_of "$window")" -eq 932 ] || fail "a second start brought the window back $(width_of "$window") wide"
watched=$(dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
    org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher \
    string:RegisteredStatusNotifierItems)
[ "$(grep -c 'string "' <<<"$watched")" -eq 1 ] || fail "after a second start the watcher lists: $watched"
activate
expect_mappings U "after a second start the first program's item hides the window"
activate
expect_mappings M "and brings it back"
echo "ok: a second start brings the hidden window back and ends with status 0; one item, which still answers"

wmctrl -i -c "$window"
expect_success "$tarvex" "the program after its window was closed"
wait_for 60 desk_reported "gone $item" || fail "the item stayed on the bus"
[ ! -s "$logs/stderr" ] || fail "the program printed: $(cat "$logs/stderr")"
desk_round_trip
[ "$(desk_lines notify)" = "$expected" ] || fail "the greeting arrived more than once: $(desk_lines notify)"
echo "ok: closing the window ends the program with status 0, and the item goes; the greeting came once"

# A second run ends through the menu's 退出.
start_program
window=$(window_of --pid "$tarvex")
"$desk_services" click "$item" "$(menu_item_id 退出)" || fail "退出 could not be clicked"
expect_success "$tarvex" "the program after 退出"
wait_for 60 desk_reported "gone $item" || fail "after 退出 the item stayed on the bus"
echo "ok: 退出 in the menu ends the program with status 0, and the item goes"

# The control: no watcher on the bus, so Qt makes an XEmbed icon, which trayer takes in.
kill "$desk"
wait "$desk" 2>/dev/null || true
start_desk_services --no-watcher
"$program" 2>"$logs/stderr" &
tarvex=$!
started_pids+=("$tarvex")
window=$(window_of --pid "$tarvex")
expect_balloon_beside_icon "without a watcher" --pid "$tarvex"
wmctrl -i -c "$window"
wait_for 60 process_ended "$tarvex" || fail "closing the window did not end the program"
desk_round_trip
desk_reported notify && fail "without a watcher the greeting also went out as a notification"
echo "ok: without a watcher the XEmbed icon and its balloon appear, and no notification"
