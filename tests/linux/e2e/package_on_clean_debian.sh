#!/usr/bin/env bash
# Makes the Debian package from the build and has the package check install, start and purge
# it on a fresh minimal Debian 12.
#   package_on_clean_debian.sh BUILD_FOLDER CHECK_PACKAGE_SCRIPT
set -euo pipefail
build=$1
check_package=$2

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >/dev/null
"$check_package" "$out"/tarvex_*_amd64.deb
