#!/usr/bin/env bash
# Installs what is missing, builds Tarvex and runs every test: the normal build's suite (unit,
# window, end-to-end), the same suite built with AddressSanitizer and UndefinedBehaviorSanitizer,
# a short run of each fuzz target from its seed corpus, and the two Windows builds' suites under
# Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh test
for preset in default sanitize fuzz windows windows-x64; do
    echo "== $preset"
    cmake --preset "$preset" -DBUILD_TESTING=ON >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
