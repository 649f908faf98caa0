#!/usr/bin/env bash
# Installs what is missing, builds Tarvex and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh test
cmake --preset default -DBUILD_TESTING=ON >/dev/null
cmake --build --preset default
ctest --preset default
