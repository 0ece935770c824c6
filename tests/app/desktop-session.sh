#!/usr/bin/env bash
# Runs a test program on a desktop of its own, started here and ended with it:
#   desktop-session.sh wayland WORK_DIR PROGRAM...   weston's headless backend on a private socket
#                                                    in WORK_DIR, with the protocol logged
#   desktop-session.sh x11 WORK_DIR PROGRAM...       an X server (Xvfb)
# The program's standard error, with the Wayland protocol log, goes to WORK_DIR/stderr.log, whose
# name it finds in KESTRO_PROTOCOL_LOG. Exit status 77 (CTest: skipped) when the machine has no
# such server; scripts/deps.sh installs them.
set -u
kind=$1 work=$2
shift 2

skip() {
    echo "SKIPPED: $*"
    exit 77
}

rm -rf "$work"
mkdir -p "$work"
chmod 700 "$work" # XDG_RUNTIME_DIR must be private
export XDG_RUNTIME_DIR=$work KESTRO_PROTOCOL_LOG=$work/stderr.log

server=
trap '[ -n "$server" ] && kill "$server" 2>/dev/null; wait' EXIT

case $kind in
wayland)
    command -v weston >/dev/null || skip "weston is not installed"
    compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so" >/dev/null ||
        skip "Qt's Wayland platform (qt6-wayland) is not installed"
    weston --backend=headless-backend.so --use-pixman --socket=kestro-test --width=1600 \
        --height=1000 --idle-time=0 >"$work/weston.log" 2>&1 &
    server=$!
    for _ in $(seq 100); do
        [ -S "$work/kestro-test" ] && break
        sleep 0.1
    done
    [ -S "$work/kestro-test" ] || { echo "weston did not start:"; cat "$work/weston.log"; exit 1; }
    export QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=kestro-test WAYLAND_DEBUG=1
    # LeakSanitizer's tracer crashes at the exit of a process that used Qt's Wayland platform
    # (glibc 2.36, GCC 12); the same code is checked for leaks under X11 and offscreen.
    export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0
    ;;
x11)
    command -v Xvfb >/dev/null || skip "Xvfb is not installed"
    command -v xprop >/dev/null || skip "xprop (x11-utils) is not installed"
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    server=$!
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    [ -s "$work/display" ] || { echo "Xvfb did not start:"; cat "$work/xvfb.log"; exit 1; }
    export QT_QPA_PLATFORM=xcb DISPLAY=:$(head -n 1 "$work/display")
    ;;
*)
    echo "usage: $0 wayland|x11 WORK_DIR PROGRAM..." >&2
    exit 2
    ;;
esac

"$@" 2>"$KESTRO_PROTOCOL_LOG"
status=$?
if [ "$status" -ne 0 ]; then
    echo "--- the program's last messages (protocol in $KESTRO_PROTOCOL_LOG):"
    grep -v '^\[' "$KESTRO_PROTOCOL_LOG" | tail -n 20
fi
exit "$status"
