#!/usr/bin/env bash
# The layer check on a tree with one fault of each kind planted (upward/): it must fail, report
# each fault with its place, and report nothing that is allowed (a lower folder, the folder
# itself, a QtCore header in either spelling).
# Usage: tests/layers/check-layers-test.sh CHECKER [QTCORE_INCLUDE_DIR]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
status=0
output=$(bash "$1" "$here/upward" "${2:-}") || status=$?
expected='layers: 7 upward or foreign uses; see docs/architecture.md
src/calendar/Today.cpp:3: includes <QWidget>, which is not QtCore'"'"'s, but calendar uses QtCore at most
src/commands/CMakeLists.txt: links kestro_app of app, but commands may use only base calendar colors ini files settings
src/extras: not in the layer table of scripts/check-layers.sh
src/ini/Text.h:4: includes "files/FileName.h", but ini may use only base
src/rotation/Helper.cpp:1: includes "Helper.h", which names no folder
src/settings/Peek.h:1: includes "ini/IniText.h", which is internal to ini
src/settings/Record.h:4: includes "rotation/Rotation.h", but settings may use only base calendar colors ini files'
if [ "$status" -ne 1 ] || [ "$(sort <<<"$output")" != "$expected" ]; then
    echo "check-layers exited $status with:"
    echo "$output"
    echo "expected exit 1 with (in any order):"
    echo "$expected"
    exit 1
fi
echo "check-layers finds every planted fault and nothing else"
