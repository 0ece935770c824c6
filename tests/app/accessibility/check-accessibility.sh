#!/bin/sh
# Reads the running program's accessibility tree as a screen reader does: a private D-Bus session
# with the AT-SPI bus, the program on a virtual X screen, and pyatspi as the client.
# Usage: check-accessibility.sh KESTRO WORK_FOLDER
# Exits 77 (skipped) only when this machine lacks a tool the check needs.
kestro=$1
work=$2
skip() { echo "SKIPPED: $*"; exit 77; }
for tool in xvfb-run dbus-run-session xdotool /usr/libexec/at-spi-bus-launcher; do
    command -v "$tool" >/dev/null 2>&1 || [ -x "$tool" ] || skip "$tool is not installed"
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || skip "python3-pyatspi is not installed"
rm -rf "$work" && mkdir -p "$work/runtime" && chmod 700 "$work/runtime"
here=$(dirname "$0")
# In a session of its own: the bus services D-Bus starts outlive the session bus, and are ended
# with the rest of this session afterwards.
setsid env XDG_RUNTIME_DIR="$work/runtime" HOME="$work" \
    xvfb-run -a -s "-screen 0 1280x800x24" \
    dbus-run-session -- /usr/bin/python3 "$here/accessibility_tree.py" "$kestro" "$work" \
    >"$work/log" 2>&1 &
session=$!
wait $session
status=$?
kill -TERM -- "-$session" 2>/dev/null
grep -v 'fd limit' "$work/log"
exit $status
