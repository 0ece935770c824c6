#!/usr/bin/env bash
# Installs Kestro into a scratch folder and checks what lands there.
#
#   check-install.sh tree BUILD_DIR WORK_DIR VERSION HELP_FILE CMAKE
#       `cmake --install` with DESTDIR=WORK_DIR/root and the prefix /usr
#   check-install.sh deb  BUILD_DIR WORK_DIR VERSION HELP_FILE CPACK
#       `cpack -G DEB`, then `dpkg -x` of the package into WORK_DIR/root
#
# All paths must be absolute; the current folder does not matter. WORK_DIR is emptied first and
# left behind for a look after a failure. Validators that are not installed are reported and
# skipped (scripts/deps.sh installs them).
set -uo pipefail

if [ $# -ne 6 ]; then
    echo "usage: $0 tree|deb BUILD_DIR WORK_DIR VERSION HELP_FILE CMAKE|CPACK" >&2
    exit 2
fi
mode=$1 build=$2 work=$3 version=$4 built_help=$5 tool=$6

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
note() { echo "note: $*"; }
have() { command -v "$1" >/dev/null 2>&1; }

# Runs a command; on failure shows its output and counts a failure.
run_logged() {
    local what=$1
    shift
    local log
    if ! log=$("$@" 2>&1); then
        fail "$what failed:"
        printf '%s\n' "$log" | sed 's/^/    /'
        return 1
    fi
    return 0
}

# The files and links below the prefix, and nothing else.
expected_entries() {
    local id=$1
    printf '%s\n' \
        "bin/kestro" \
        "lib/kestro/kestro" \
        "lib/kestro/kestro-help-reader" \
        "lib/kestro/kestro-print.so" \
        "lib/kestro/kestro.chm" \
        "share/applications/$id.desktop" \
        "share/icons/hicolor/scalable/apps/$id.svg" \
        "share/man/man1/kestro.1" \
        "share/metainfo/$id.metainfo.xml" | LC_ALL=C sort
}

check_program_runs() {
    local program=$1 out status
    out=$("$program" --version 2>&1)
    status=$?
    [ "$status" -eq 0 ] || fail "$program --version exited with $status"
    [ "$out" = "kestro $version" ] ||
        fail "$program --version printed '$out', expected 'kestro $version'"

    out=$("$program" --help 2>&1)
    status=$?
    [ "$status" -eq 0 ] || fail "$program --help exited with $status"
    case "$out" in
    "Usage: kestro "*) ;;
    *) fail "$program --help printed no usage: '$(printf '%s' "$out" | head -n 1)'" ;;
    esac
}

# The installed program's main window, on an X server of its own, has the class the menu entry
# names and an icon.
check_window_class() {
    local program=$1 expected=$2
    if ! have xvfb-run || ! have xprop || ! have xdotool; then
        note "xvfb-run, xprop or xdotool not installed; the window's class not checked"
        return
    fi
    local home
    home=$(mktemp -d)
    local found
    found=$(HOME=$home QT_QPA_PLATFORM=xcb xvfb-run -a bash -c '
        "$1" & pid=$!
        for _ in $(seq 150); do
            window=$(xdotool search --pid "$pid" 2>/dev/null | tail -n 1)
            [ -n "$window" ] && break
            sleep 0.2
        done
        [ -n "$window" ] && xprop -id "$window" WM_CLASS _NET_WM_ICON | cut -c 1-60
        kill "$pid"' _ "$program" 2>/dev/null)
    rm -rf "$home"
    grep -qF "WM_CLASS(STRING) = \"kestro\", \"$expected\"" <<<"$found" ||
        fail "the window's class is not the desktop file's StartupWMClass '$expected': $found"
    grep -q "^_NET_WM_ICON(CARDINAL) =" <<<"$found" || fail "the program's window has no icon"
}

check_layout() {
    local prefix=$1
    local program=$prefix/lib/kestro/kestro
    local help=$prefix/lib/kestro/kestro.chm
    local link=$prefix/bin/kestro

    # The program and its help file side by side.
    if [ -f "$program" ] && [ ! -L "$program" ] && [ -x "$program" ]; then :; else
        fail "lib/kestro/kestro is not an executable file"
    fi
    if [ -f "$help" ] && [ ! -L "$help" ]; then
        cmp -s "$help" "$built_help" || fail "lib/kestro/kestro.chm differs from the built $built_help"
        [ "$(head -c 4 "$help")" = "ITSF" ] || fail "lib/kestro/kestro.chm is no compiled help file"
    else
        fail "lib/kestro/kestro.chm is missing"
    fi

    # The help reader beside them reads the installed help file: its first answer byte is 0
    # (found), for the table of contents.
    local reader=$prefix/lib/kestro/kestro-help-reader
    if [ -f "$reader" ] && [ ! -L "$reader" ] && [ -x "$reader" ]; then
        local answer
        answer=$("$reader" "$help" /toc.hhc 2>/dev/null | head -c 1 | od -An -tu1 | tr -d ' ')
        [ "$answer" = "0" ] ||
            fail "lib/kestro/kestro-help-reader does not read kestro.chm (answer '$answer')"
    else
        fail "lib/kestro/kestro-help-reader is not an executable file"
    fi

    # bin/kestro: a relative link, so that the tree can move (DESTDIR, dpkg -x).
    if [ -L "$link" ]; then
        local target
        target=$(readlink "$link")
        [ "$target" = "../lib/kestro/kestro" ] || fail "bin/kestro points to '$target'"
        [ "$(readlink -f "$link")" = "$(readlink -f "$program")" ] ||
            fail "bin/kestro does not resolve to lib/kestro/kestro"
    else
        fail "bin/kestro is not a symbolic link"
    fi

    # The desktop entry, named after the AppStream id.
    local desktops=("$prefix"/share/applications/*.desktop)
    if [ ${#desktops[@]} -ne 1 ] || [ ! -f "${desktops[0]}" ]; then
        fail "expected exactly one desktop file in share/applications"
        return
    fi
    local desktop=${desktops[0]}
    local id
    id=$(basename "$desktop" .desktop)
    if have desktop-file-validate; then
        local messages
        if ! messages=$(desktop-file-validate "$desktop" 2>&1) || [ -n "$messages" ]; then
            fail "desktop-file-validate $id.desktop: $messages"
        fi
    else
        note "desktop-file-validate not installed; $id.desktop not validated"
    fi
    local exec icon
    exec=$(sed -n 's/^Exec=//p' "$desktop")
    icon=$(sed -n 's/^Icon=//p' "$desktop")
    [ "${exec%% *}" = "kestro" ] || fail "the desktop file starts '$exec', not kestro"
    [ "$icon" = "$id" ] || fail "the desktop file's icon is '$icon', not $id"
    # Docks match the program's windows to the entry by its X11 class and its Wayland app id
    # (the desktop file's id, which tests/app/DesktopSessionTest.cpp checks).
    check_window_class "$prefix/bin/kestro" "$(sed -n 's/^StartupWMClass=//p' "$desktop")"

    # The icon: an SVG drawing under the same name.
    local svg=$prefix/share/icons/hicolor/scalable/apps/$id.svg
    if [ -f "$svg" ]; then
        grep -q '<svg[ >]' "$svg" || fail "$id.svg holds no SVG drawing"
    else
        fail "the icon share/icons/hicolor/scalable/apps/$id.svg is missing"
    fi

    # The AppStream metainfo, for the same id and this version.
    local metainfo=$prefix/share/metainfo/$id.metainfo.xml
    if [ -f "$metainfo" ]; then
        if have appstreamcli; then
            run_logged "appstreamcli validate $id.metainfo.xml" \
                appstreamcli validate --no-net --pedantic "$metainfo"
        else
            note "appstreamcli not installed; $id.metainfo.xml not validated"
        fi
        grep -q "<id>$id</id>" "$metainfo" || fail "the metainfo's id is not $id"
        grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
            fail "the metainfo does not launch $id.desktop"
        grep -q "<release version=\"$version\"" "$metainfo" ||
            fail "the metainfo has no release $version"
    else
        fail "share/metainfo/$id.metainfo.xml is missing"
    fi

    # The manual page renders without warnings and covers the command line.
    local page=$prefix/share/man/man1/kestro.1
    if [ -f "$page" ]; then
        ! grep -q '@[A-Z_]*@' "$page" || fail "kestro.1 has unreplaced @...@ fields"
        if have man; then
            local text warnings
            warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
            [ -z "$warnings" ] || fail "man -l kestro.1 warns: $warnings"
            text=$(MANWIDTH=80 man -l "$page" 2>/dev/null)
            local phrase
            for phrase in SYNOPSIS "-iFILE" "--help" "--version" "--export-ics" "--export-pdf" "Dunmarek.cds" \
                XDG_CONFIG_DIRS FILES "Page Up" "Alt+F5" "Kestro $version"; do
                grep -qF -- "$phrase" <<<"$text" || fail "the rendered man page lacks '$phrase'"
            done
        else
            note "man not installed; kestro.1 not rendered"
        fi
    else
        fail "share/man/man1/kestro.1 is missing"
    fi

    # Nothing else is installed.
    local found
    found=$(cd "$prefix" && find . \( -type f -o -type l \) | sed 's|^\./||' | LC_ALL=C sort)
    if [ "$found" != "$(expected_entries "$id")" ]; then
        fail "the installed files differ from the expected ones:"
        diff <(expected_entries "$id") <(printf '%s\n' "$found") | sed 's/^/    /'
    fi

    # The installed program answers through the link in bin/.
    [ -x "$link" ] && check_program_runs "$link"
}

rm -rf "$work"
mkdir -p "$work"
root=$work/root

case "$mode" in
tree)
    run_logged "cmake --install" env DESTDIR="$root" "$tool" --install "$build" --prefix /usr ||
        exit 1
    check_layout "$root/usr"
    ;;
deb)
    run_logged "cpack -G DEB" "$tool" -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" ||
        exit 1
    debs=("$work"/out/*.deb)
    if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
        fail "cpack made no single .deb in $work/out"
        exit 1
    fi
    deb=${debs[0]}
    arch=$(dpkg --print-architecture)
    [ "$(basename "$deb")" = "kestro_${version}_${arch}.deb" ] ||
        fail "the package is named $(basename "$deb"), expected kestro_${version}_${arch}.deb"
    [ "$(dpkg-deb -f "$deb" Package)" = kestro ] || fail "the package is not called kestro"
    [ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package version is not $version"
    [ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "the package has no maintainer"
    [ -n "$(dpkg-deb -f "$deb" Description)" ] || fail "the package has no description"
    depends=$(dpkg-deb -f "$deb" Depends)
    for package in libqt6core6 libqt6gui6 libqt6widgets6 libjpeg62-turbo libchm1 libical3 libqt6svg6; do
        grep -qE "(^|, )$package( |,|$)" <<<"$depends" ||
            fail "the package does not depend on $package (Depends: $depends)"
    done
    run_logged "dpkg -x" dpkg -x "$deb" "$root" || exit 1
    check_layout "$root/usr"
    ;;
*)
    echo "unknown mode '$mode'" >&2
    exit 2
    ;;
esac

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed; the installed files are in $root"
    exit 1
fi
echo "all checks passed ($mode)"
