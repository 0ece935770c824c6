#!/usr/bin/env bash
# Installs the Debian packages Kestro needs to build, run and test, when any is missing.
set -euo pipefail

packages=(
    cmake g++ make pkg-config
    qt6-base-dev libgtest-dev libbenchmark-dev
    libjpeg62-turbo-dev libchm-dev fp-utils
    # the calendar export builds its files with libical; the tests read them back with Python
    libical-dev python3-icalendar python3-recurring-ical-events python3-vobject
    # the printed calendar's tests read its PDFs back with pdfinfo, pdftotext and pdftoppm
    poppler-utils
    clang libclang-rt-14-dev
    fonts-liberation fonts-dejavu-core
    xvfb xauth xdotool
    # the window icon's built-in copy is an SVG drawing
    libqt6svg6
    # the desktop tests: Wayland under weston (and Qt's Wayland platform), X11 window properties
    weston qt6-wayland x11-utils
    # the start-up benchmarks: instruction counts, and the X map watcher
    valgrind libxcb1-dev
    # localedef's locale sources: the date tests build real locales into the build folder
    locales
    # the accessibility test reads the window's tree as a screen reader does
    at-spi2-core python3-pyatspi dbus
    # dpkg-shlibdeps for the package's Depends; appstreamcli, desktop-file-validate and man -l
    # for checking the installed files (tests/install)
    dpkg-dev appstream desktop-file-utils man-db
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
