#!/usr/bin/env bash
# Builds the Debian package, runs lintian on it, and checks it on a clean machine: a fresh
# minimal Debian 12 made for the purpose with mmdebstrap from this machine's apt sources, where
# the package is installed with its dependencies, started on a virtual display of this
# machine's (reached through the X server's abstract socket; the window is awaited with this
# machine's tools), and purged again.
#   tools/check-package.sh [PACKAGE.deb]
# (as root, or through sudo; about two minutes, most of it downloading the package's
# dependencies). Without a package it builds one in build/default.
set -euo pipefail
[ "$(id -u)" -eq 0 ] || exec sudo "$0" "$@"
package=${1:+$(realpath "$1")}
cd "$(dirname "$0")/.."

tools/install-deps.sh package
if [ -z "$package" ]; then
    cmake --preset default -DBUILD_TESTING=OFF >/dev/null
    cmake --build --preset default
    rm -f build/default/tarvex_*.deb
    (cd build/default && cpack -G DEB >/dev/null)
    package=$(realpath build/default/tarvex_*_amd64.deb)
fi
echo "package: $package"
dpkg-deb -f "$package" Package Version Depends

echo "lintian:"
lintian "$package" 2> >(grep -v "root privileges" >&2) || exit 1

source tests/desktop/x_session.sh
start_x
sources=/etc/apt/sources.list
if [ ! -s "$sources" ]; then
    deb822_sources=(/etc/apt/sources.list.d/*.sources)
    sources=${deb822_sources[0]}
fi
root=$(mktemp -d)
cleanup_root() { end_started; rm -rf "$root"; }
trap cleanup_root EXIT
mmdebstrap --variant=apt --quiet \
    --customize-hook="'$PWD/tools/check-installed-package.sh' \"\$1\" '$package'" \
    bookworm "$root/system" "$sources"
echo "ok: the package installs, starts and is removed on a fresh Debian 12"
