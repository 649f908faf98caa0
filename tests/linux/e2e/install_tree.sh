#!/usr/bin/env bash
# An install puts the program, its icons, a valid desktop entry and the AppStream metadata
# under the prefix.
#   install_tree.sh BUILD_FOLDER
set -euo pipefail
build=$1

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
test -x "$prefix/bin/tarvex"
for size in 16 24 32 48 64 128 256; do
    test -f "$prefix/share/icons/hicolor/${size}x${size}/apps/tarvex.png"
done
desktop-file-validate "$prefix/share/applications/tarvex.desktop"
test -f "$prefix/share/metainfo/invalid.tarvex.Tarvex.metainfo.xml"
