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
logs=$(mktemp -d)

# A session bus of the test's own, from which nothing is started by activation.
cat >"$logs/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=$logs</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF
dbus-daemon --config-file="$logs/bus.conf" --nofork --print-address=3 3>"$logs/address" \
    2>"$logs/bus" &
started_pids+=($!)
wait_for 10 test -s "$logs/address" || fail "the session bus did not start"
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$logs/address")
export DBUS_SESSION_BUS_ADDRESS

# Starts the panel's services (with any arguments given) and waits until they serve.
start_desk_services() {
    "$desk_services" "$@" >"$logs/desk" 2>&1 &
    desk=$!
    started_pids+=("$desk")
    wait_for 10 grep -q '^ready$' "$logs/desk" || fail "the desk services did not start: $(cat "$logs/desk")"
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

wait_for 10 grep -q '^registered ' "$logs/desk" || fail "no item registered with the watcher"
read -r _ item item_path < <(grep '^registered ' "$logs/desk")
item_property IconPixmap | grep -q 'int32 32' || fail "the item carries no icon: $(item_property IconPixmap | head -5)"
echo "ok: item $item registered with an icon"

wait_for 5 grep -q '^notify ' "$logs/desk" || fail "no greeting arrived"
sleep 1
expected='notify tarvex|dialog-warning|Tarvex 1.0版|Olmira作品: 欢迎大家使用！|10000|urgency=1'
[ "$(grep -c '^notify ' "$logs/desk")" -eq 1 ] || fail "the greeting arrived more than once: $(grep '^notify ' "$logs/desk")"
[ "$(grep '^notify ' "$logs/desk")" = "$expected" ] || fail "the greeting was: $(grep '^notify ' "$logs/desk")"
echo "ok: the greeting arrived once as a desktop notification with the warning icon for 10,000 ms"

window=$(window_of "$tarvex")
item_call org.kde.StatusNotifierItem.Activate int32:1200 int32:880 >/dev/null
wait_for 3 is_unmapped "$window" || fail "Activate did not hide the window"
echo "ok: Activate hides the window"
item_call org.kde.StatusNotifierItem.Activate int32:1200 int32:880 >/dev/null
wait_for 3 is_viewable "$window" || fail "a second Activate did not bring the window back"
[ "$(width_of "$window")" -eq 932 ] || fail "the window came back $(width_of "$window") wide"
echo "ok: a second Activate brings it back at its size"

item_call org.kde.StatusNotifierItem.ContextMenu int32:1200 int32:880 >/dev/null
item_call org.kde.StatusNotifierItem.SecondaryActivate int32:1200 int32:880 >/dev/null
sleep 0.5
is_viewable "$window" && [ "$(width_of "$window")" -eq 932 ] || fail "ContextMenu or SecondaryActivate changed the window"
echo "ok: ContextMenu and SecondaryActivate change nothing"

# While the greeting is up, Qt shows it in the item's tool-tip; then the tool-tip is back.
tooltip_is_tip() { item_property ToolTip | grep -q '"移动显示"'; }
wait_for 12 tooltip_is_tip || fail "the item's tool-tip is not 移动显示: $(item_property ToolTip)"
echo "ok: the item's tool-tip is 移动显示"

wmctrl -i -c "$window"
wait_for 5 sh -c "! kill -0 $tarvex 2>/dev/null" || fail "closing the window did not end the program"
wait "$tarvex" || fail "the program ended with status $?"
wait_for 3 grep -q "^gone $item$" "$logs/desk" || fail "the item stayed on the bus"
[ ! -s "$logs/stderr" ] || fail "the program printed: $(cat "$logs/stderr")"
echo "ok: closing the window ends the program with status 0, and the item goes"

# The control: no watcher on the bus, so Qt makes an XEmbed icon, which trayer takes in.
kill "$desk"
wait "$desk" 2>/dev/null || true
start_desk_services --no-watcher
"$program" 2>"$logs/stderr" &
tarvex=$!
started_pids+=("$tarvex")
window_of "$tarvex" >/dev/null
wait_for 10 find_icon "$tarvex" || fail "without a watcher the icon was not embedded in trayer"
wait_for 5 balloon_shown "$tarvex" || fail "without a watcher the balloon did not appear"
grep -q '^notify ' "$logs/desk" && fail "without a watcher the greeting also went out as a notification"
echo "ok: without a watcher the XEmbed icon and its balloon appear, and no notification"
