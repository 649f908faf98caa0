#!/usr/bin/env bash
# Installs what is missing and builds the Windows program: the 32-bit build that is shipped
# (preset windows) and its 64-bit twin (windows-x64), with MinGW-w64. Prints the exe files.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh windows
for preset in windows windows-x64; do
    cmake --preset "$preset" -DBUILD_TESTING=OFF >/dev/null
    cmake --build --preset "$preset"
done
for preset in windows windows-x64; do
    echo "== $preset"
    # The exe files that the build writes, as the build knows them.
    targets=$(ninja -C "build/$preset" -t targets all)
    sed -n "/: phony\$/d; s|^\(.*\.exe\): .*|build/$preset/\1|p" <<<"$targets" | sort
done
