#!/usr/bin/env bash
# Builds the named UTF-8 locales into FOLDER for LOCPATH, two at a time, skipping those already
# built. Needs no root and leaves the system's locales alone.
# Usage: build-locales.sh FOLDER NAME...   (NAME as de_DE; the locale is FOLDER/de_DE.UTF-8)
set -u
folder=$1
shift
if ! command -v localedef >/dev/null 2>&1; then
    echo "localedef is not installed: the locale date tests are skipped"
    exit 0
fi
mkdir -p "$folder" || exit 1
# Locales built by another glibc may not load: start afresh when localedef changed.
version=$(localedef --version | head -n 1)
if [ "$(cat "$folder/localedef-version" 2>/dev/null)" != "$version" ]; then
    rm -rf "${folder:?}"/*.UTF-8 "${folder:?}"/*.UTF-8.part
    printf '%s\n' "$version" >"$folder/localedef-version"
fi

build() {
    local out=$folder/$1.UTF-8
    # Into a temporary folder first, so that an interrupted run leaves no half-built locale.
    rm -rf "$out.part"
    if ! localedef -i "$1" -f UTF-8 "$out.part" || ! mv "$out.part" "$out"; then
        echo "localedef could not build $1.UTF-8 (the Debian package 'locales' holds its" \
             "sources: scripts/deps.sh installs it)" >&2
        rm -rf "$out.part"
        return 1
    fi
    echo "built $1.UTF-8"
}

status=0
running=()
for name in "$@"; do
    [ -d "$folder/$name.UTF-8" ] && continue
    build "$name" &
    running+=("$!")
    if [ ${#running[@]} -eq 2 ]; then
        wait "${running[0]}" || status=1
        running=("${running[@]:1}")
    fi
done
for pid in "${running[@]}"; do
    wait "$pid" || status=1
done
exit $status
