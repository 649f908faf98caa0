#!/usr/bin/env bash
# Runs the end-to-end tests and the window tests again and again while two busy loops keep
# both processor cores loaded, to show that they pass for a reason and not by the machine's
# speed: ROUNDS rounds of each test, stopping at the first failure.
#   tools/soak-tests.sh [ROUNDS]     (default 20; needs the default build with its tests)
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-20}
build=build/default
[ -f "$build/CTestTestfile.cmake" ] || { echo "no tests in $build: run tools/test.sh first" >&2; exit 2; }

load=()
end_load() { [ ${#load[@]} -eq 0 ] || kill "${load[@]}" 2>/dev/null || true; }
trap end_load EXIT
for _ in 1 2; do
    (while :; do :; done) &
    load+=($!)
done
echo "load: busy loops ${load[*]} on $(nproc) cores"

started=$SECONDS
status=0
ctest --test-dir "$build" -L 'e2e|window' --repeat "until-fail:$rounds" --output-on-failure \
    || status=$?
echo "$rounds rounds of the end-to-end and window tests under load: $([ $status -eq 0 ] && echo "no failure" || echo "FAILED"), $((SECONDS - started)) s"
exit $status
