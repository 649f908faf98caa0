#!/usr/bin/env bash
# Builds the Debian package, installs it with apt-get (as root or through sudo), starts the
# installed /usr/bin/tarvex on a virtual display and waits for its window, then removes the
# package again.
#   tools/check-package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)

cmake --preset default -DBUILD_TESTING=OFF >/dev/null
cmake --build --preset default --target tarvex
(cd build/default && cpack -G DEB >/dev/null)
package=$(realpath build/default/tarvex_*_amd64.deb)
echo "package: $package"
dpkg-deb -f "$package" Package Version Depends

source tests/e2e/x_session.sh
remove_package() {
    end_started
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq tarvex >/dev/null
}
trap remove_package EXIT
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$package" >/dev/null
dpkg -L tarvex | grep -E '^/usr/(bin|share/applications|share/icons/hicolor/48x48)/'

start_desktop
/usr/bin/tarvex &
started_pids+=($!)
wait_for 10 sh -c "xdotool search --onlyvisible --name Olmira >/dev/null" || fail "the installed program showed no window"
echo "ok: the installed tarvex starts and shows its window"
