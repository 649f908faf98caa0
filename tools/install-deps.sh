#!/usr/bin/env bash
# Installs the Debian packages that Tarvex needs and that are missing, as root or through sudo.
#   tools/install-deps.sh run    what building and starting the program needs
#   tools/install-deps.sh test   that, plus what every test, benchmark and fuzzer needs
#   tools/install-deps.sh package   what building and checking the Debian package needs
#   tools/install-deps.sh windows   what building the Windows program needs
#   tools/install-deps.sh accessibility   the screen reader for trying the window by ear
set -euo pipefail

build=(cmake ninja-build g++ pkgconf)
gui=(qt6-base-dev libxcb1-dev qt6-qpa-plugins qt6-translations-l10n)
# Any one of the Chinese fonts that the package accepts will do.
cjk_fonts=(fonts-wqy-microhei fonts-noto-cjk)
tests=(libgtest-dev libbenchmark-dev clang libclang-rt-14-dev qt6-base-private-dev
       dpkg-dev appstream lintian mmdebstrap
       libx11-dev libxdamage-dev strace desktop-file-utils xvfb xauth openbox trayer xdotool wmctrl x11-utils xclip imagemagick
       fonts-noto-cjk dbus-daemon dbus-bin qt6-wayland weston)
# The Windows program: MinGW-w64's compilers with POSIX threads, GoogleTest's sources for its
# tests, and makensis for its installer.
windows=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools googletest nsis)
# Its tests under Wine: the 32-bit build under wine32 (of the i386 architecture, where the kernel
# runs 32-bit programs), the 64-bit one under wine64; locales has the zh_CN locale's source,
# which gives Wine code page 936.
windows_tests=(wine wine64 locales)
# Orca on the accessibility bus, speaking through speech-dispatcher: no test needs them, they
# are for hearing the window as a screen-reader user does (tools/hear-convert.sh).
accessibility=(orca speech-dispatcher at-spi2-core xvfb xdotool dbus-daemon)

case "${1:-}" in
    run) wanted=("${build[@]}" "${gui[@]}") ;;
    test)
        wanted=("${build[@]}" "${gui[@]}" "${tests[@]}" "${windows[@]}" "${windows_tests[@]}")
        # Where it would not start, the 32-bit build's tests say so and are skipped.
        runs_32_bit=0
        "$(dirname "$0")/runs-32-bit-programs.sh" || runs_32_bit=$?
        case $runs_32_bit in
            0) wanted+=(wine32:i386) ;;
            1) echo "The 32-bit Wine is left out: the 32-bit build's tests will be skipped." ;;
            *) exit 1 ;;
        esac ;;
    package) wanted=("${build[@]}" "${gui[@]}" dpkg-dev lintian mmdebstrap xvfb x11-utils) ;;
    windows) wanted=("${build[@]}" "${windows[@]}") ;;
    accessibility) wanted=("${build[@]}" "${gui[@]}" "${accessibility[@]}") ;;
    *) echo "usage: $0 run|test|package|windows|accessibility" >&2; exit 2 ;;
esac

# A name may carry its architecture (wine32:i386); dpkg-query knows it only once the
# architecture is added.
installed() { [ "$(dpkg-query -W -f='${db:Status-Status}' "$1" 2>/dev/null || true)" = installed ]; }

missing=()
for package in "${wanted[@]}"; do
    installed "$package" || missing+=("$package")
done
font_found=false
for font in "${cjk_fonts[@]}"; do
    if installed "$font"; then font_found=true; fi
done
$font_found || missing+=("${cjk_fonts[0]}")
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Need root or sudo to install: ${missing[*]}" >&2; exit 1; }
    as_root=(sudo)
fi
# wine32:i386 comes from an architecture that dpkg may not have been told of yet.
architectures="$(dpkg --print-architecture)
$(dpkg --print-foreign-architectures)"
for package in "${missing[@]}"; do
    architecture=${package#*:}
    if [ "$architecture" != "$package" ] && ! grep -qx "$architecture" <<<"$architectures"; then
        echo "Adding the $architecture architecture"
        "${as_root[@]}" dpkg --add-architecture "$architecture"
        architectures+=$'\n'$architecture
    fi
done
# A mirror caught syncing serves an index that does not match its release file: apt keeps the
# indexes it had, and the install says what it then cannot find.
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq \
    || echo "apt-get update could not fetch every index; installing from those it has" >&2
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
