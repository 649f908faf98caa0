#!/usr/bin/env bash
# Installs what is missing, builds Tarvex and runs every test: the normal build's suite (unit,
# window, end-to-end), the same suite built with AddressSanitizer and UndefinedBehaviorSanitizer,
# a short run of each fuzz target from its seed corpus, and the two Windows builds' suites under
# Wine.
#
# Each build's tests run while the next build compiles: the tests spend most of their time
# waiting on their virtual desktops and Wine, the compiler keeps both cores busy. Every test
# waits for the events it needs, not for a time, so a busy machine makes them slower, not
# different. Each build's test report is printed whole once its tests have ended, in order. The
# short builds come first; the last suite, which nothing overlaps, is the normal build's, whose
# longest test (the package on a fresh Debian) mostly waits on the network and on dpkg.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh test

status=0
testing_pid=""
testing_preset=""
# A build that fails ends the script: tests still running then end with it.
trap '[ -z "$testing_pid" ] || kill "$testing_pid" 2>/dev/null || true' EXIT
# Waits for the tests started last, prints their report and notes whether they failed.
finish_tests() {
    [ -n "$testing_pid" ] || return 0
    local result=0
    wait "$testing_pid" || result=$?
    echo "== $testing_preset: tests"
    cat "build/$testing_preset/test-report.txt"
    if [ "$result" -ne 0 ]; then
        echo "== $testing_preset: tests failed (status $result)"
        status=1
    fi
    testing_pid=""
}

# Nothing is checked twice the same way: the core's and the design's tables run in the builds
# that add to them (the sanitizers', the Windows builds'), not in the normal build; what does
# not depend on how the program is built (label build-independent) runs in the normal build only.
configure_options() {
    case $1 in
        default) echo -DTARVEX_CORE_TESTS=OFF ;;
        *) echo -DTARVEX_CORE_TESTS=ON ;;
    esac
}
test_options() {
    case $1 in
        sanitize) echo -LE build-independent ;;
    esac
}

for preset in windows fuzz windows-x64 sanitize default; do
    echo "== $preset: build"
    # shellcheck disable=SC2046 # each option is one word
    cmake --preset "$preset" -DBUILD_TESTING=ON $(configure_options "$preset") >/dev/null
    cmake --build --preset "$preset"
    finish_tests
    # shellcheck disable=SC2046
    ctest --preset "$preset" $(test_options "$preset") >"build/$preset/test-report.txt" 2>&1 &
    testing_pid=$!
    testing_preset=$preset
done
finish_tests
exit "$status"
