#!/usr/bin/env bash
# Run inside a fresh minimal Debian 12 by tools/check-package.sh: installs the package, sees
# the installed program find every library and start (up for 3 s on the display given, with
# nothing on standard error), then purges the package and checks that none of its files stay.
#   check-installed-package.sh PACKAGE.deb
set -euo pipefail
package=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
export DEBIAN_FRONTEND=noninteractive

apt-get install -y -qq --no-install-recommends "$package" >/dev/null
echo "installed: $(dpkg-query -W -f='${Package} ${Version}' tarvex)"

unresolved=$(ldd /usr/bin/tarvex | grep 'not found' || true)
[ -z "$unresolved" ] || fail "libraries not found: $unresolved"
echo "ok: ldd resolves all $(ldd /usr/bin/tarvex | wc -l) libraries"

files=()
while read -r path; do
    [ -f "$path" ] && files+=("$path")
done < <(dpkg -L tarvex)

runtime=$(mktemp -d)
DBUS_SESSION_BUS_ADDRESS=disabled: XDG_RUNTIME_DIR=$runtime /usr/bin/tarvex 2>"$runtime/stderr" &
program=$!
sleep 3
kill -0 "$program" 2>/dev/null || fail "the program ended: $(cat "$runtime/stderr")"
[ ! -s "$runtime/stderr" ] || fail "the program printed: $(cat "$runtime/stderr")"
kill "$program"
wait "$program" 2>/dev/null || true
echo "ok: /usr/bin/tarvex ran for 3 s on $DISPLAY and printed nothing"

apt-get purge -y -qq tarvex >/dev/null
if dpkg-query -W tarvex >/dev/null 2>&1; then fail "the package is still known to dpkg"; fi
for path in "${files[@]}"; do
    [ ! -e "$path" ] || fail "left behind: $path"
done
echo "ok: purged, none of its ${#files[@]} files stays"
