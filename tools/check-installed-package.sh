#!/usr/bin/env bash
# Run by tools/check-package.sh as mmdebstrap's last step, on this machine, with the fresh
# minimal Debian 12 at ROOT: installs the package there, sees the installed program find every
# library and show its window on this machine's display with nothing on standard error, then
# purges the package and checks that none of its files stay.
#   check-installed-package.sh ROOT PACKAGE.deb
set -euo pipefail
root=$1
package=$2
source "$(dirname "$0")/../tests/desktop/x_session.sh"
in_root() { chroot "$root" env DEBIAN_FRONTEND=noninteractive "$@"; }

cp "$package" "$root/tmp/"
in_root apt-get install -y -qq --no-install-recommends "/tmp/$(basename "$package")" >/dev/null
echo "installed: $(in_root dpkg-query -W -f='${Package} ${Version}' tarvex)"

libraries=$(in_root ldd /usr/bin/tarvex)
! holds "$libraries" 'not found' || fail "libraries not found: $libraries"
echo "ok: ldd resolves all $(echo "$libraries" | wc -l) libraries"

files=()
while read -r path; do
    [ -f "$root$path" ] && files+=("$path")
done < <(in_root dpkg -L tarvex)

runtime=$(in_root mktemp -d)
stderr=$logs/program-stderr
# chroot and env replace themselves with the program, so the process id is the program's.
chroot "$root" env DISPLAY="$DISPLAY" DBUS_SESSION_BUS_ADDRESS=disabled: XDG_RUNTIME_DIR="$runtime" \
    /usr/bin/tarvex 2>"$stderr" &
program=$!
started_pids+=("$program")
window_of --pid "$program" >/dev/null
! process_ended "$program" || fail "the program ended: $(cat "$stderr")"
[ ! -s "$stderr" ] || fail "the program printed: $(cat "$stderr")"
kill "$program"
wait "$program" 2>/dev/null || true
echo "ok: /usr/bin/tarvex showed its window on $DISPLAY and printed nothing"

in_root apt-get purge -y -qq tarvex >/dev/null
if in_root dpkg-query -W tarvex >/dev/null 2>&1; then fail "the package is still known to dpkg"; fi
for path in "${files[@]}"; do
    [ ! -e "$root$path" ] || fail "left behind: $path"
done
echo "ok: purged, none of its ${#files[@]} files stays"
