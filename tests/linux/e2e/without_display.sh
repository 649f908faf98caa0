#!/usr/bin/env bash
# Started without any display, the program says so in one line and fails.
#   without_display.sh TARVEX
set -uo pipefail
program=$1

out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" 2>&1)
code=$?
echo "$out"
[ "$code" -ne 0 ] || { echo "FAIL: the program ended with status 0"; exit 1; }
[ "$(printf '%s\n' "$out" | wc -l)" -eq 1 ] || { echo "FAIL: not one line"; exit 1; }
[[ $out == *"no display"* ]] || { echo "FAIL: the line does not say that there is no display"; exit 1; }
