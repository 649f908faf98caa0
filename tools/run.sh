#!/usr/bin/env bash
# Installs what is missing, builds Tarvex and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh run
cmake --preset default -DBUILD_TESTING=OFF >/dev/null
cmake --build --preset default --target tarvex
exec build/default/linux/tarvex "$@"
