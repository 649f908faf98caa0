#!/usr/bin/env bash
# Installs what is missing and builds the Windows program: the 32-bit build that is shipped
# (preset windows), with its installer and portable archive, and its 64-bit twin (windows-x64),
# with MinGW-w64. Prints the files it wrote.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh windows
for preset in windows windows-x64; do
    cmake --preset "$preset" -DBUILD_TESTING=OFF >/dev/null
    cmake --build --preset "$preset"
done
for preset in windows windows-x64; do
    echo "== $preset"
    # The exe files and archives that the build writes, as the build knows them (each release
    # file also under its absolute path).
    targets=$(ninja -C "build/$preset" -t targets all)
    while IFS=: read -r file rule; do
        if [[ ($file == *.exe || $file == *.zip) && $file != /* && $rule != " phony" ]]; then
            echo "build/$preset/$file"
        fi
    done <<<"$targets" | sort
done
