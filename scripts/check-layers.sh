#!/usr/bin/env bash
# Checks that every folder of src/ uses only the folders below it: each #include "folder/..." in
# its files and each kestro_* library its CMakeLists.txt names must belong to the folder itself
# or to one the table allows. Folders of the core (Qt "Core") also may not link Qt Gui or Qt
# Widgets, nor include a Qt header that QtCore does not have. The layers are described in
# docs/architecture.md. Run by the test command (CTest test "layers"), and by hand:
#   scripts/check-layers.sh [SOURCE_DIR [QTCORE_INCLUDE_DIR]]
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
qtcore=${2:-}
if [ -z "$qtcore" ]; then
    for dir in /usr/include/*/qt6/QtCore /usr/include/qt6/QtCore; do
        [ -d "$dir" ] && qtcore=$dir && break
    done
fi

# folder       libraries                         Qt       may use
table='
base           kestro_base                       Core     -
calendar       kestro_calendar                   Core     base
colors         kestro_colors                     Core     base
ini            kestro_ini                        Core     base
files          kestro_files                      Core     base
settings       kestro_settings                   Core     base calendar colors ini files
rotation       kestro_rotation                   Core     base calendar colors ini files settings
commands       kestro_commands                   Core     base calendar colors ini files settings
startup        kestro_startup                    Core     base calendar colors ini files settings
export         kestro_export                     Core     base calendar colors ini files settings rotation
summary        kestro_summary                    Core     base calendar colors ini files settings rotation export
planning       kestro_planning                   Core     base calendar colors ini files settings rotation export
help           kestro_help                       Core     base
widgets        kestro_widgets                    Widgets  base calendar colors ini files settings rotation
helpwindows    kestro_helpwindows                Widgets  base help widgets
colordialog    kestro_colordialog                Widgets  base calendar colors ini files settings rotation widgets
sharing        kestro_sharing                    Widgets  base calendar colors ini files settings rotation export widgets
summarywindow  kestro_summarywindow              Widgets  base calendar colors ini files settings rotation export summary widgets
planningwindows kestro_planningwindows           Widgets  base calendar colors ini files settings rotation export planning widgets
app            kestro_app                        Widgets  base calendar colors ini files settings rotation commands startup export summary planning help widgets helpwindows colordialog sharing summarywindow planningwindows
'

# Headers that only their own folder includes: the inside of the INI engine, which the rest of the
# program reaches through ini/IniDocument.h.
internal=' ini/IniText.h ini/IniLookup.h '

declare -A allowed listed qt folder_of_library
while read -r folder libraries kind uses; do
    [ -n "$folder" ] || continue
    allowed[$folder]=" $folder ${uses//-/} "
    listed[$folder]=${uses//-/nothing else}
    qt[$folder]=$kind
    for library in ${libraries//,/ }; do folder_of_library[$library]=$folder; done
done <<<"$table"

failures=0
fail() {
    echo "$1"
    failures=$((failures + 1))
}

for path in "$root"/src/*/; do
    folder=$(basename "$path")
    if [ -z "${allowed[$folder]:-}" ]; then
        fail "src/$folder: not in the layer table of scripts/check-layers.sh"
        continue
    fi
    may="${allowed[$folder]}"
    # Includes of the project's own headers name their folder first.
    while IFS=: read -r file line include; do
        used=${include%%/*}
        if [ "$used" = "$include" ]; then
            fail "${file#"$root"/}:$line: includes \"$include\", which names no folder"
        elif [[ "$may" != *" $used "* ]]; then
            fail "${file#"$root"/}:$line: includes \"$include\", but $folder may use only ${listed[$folder]}"
        elif [[ "$internal" == *" $include "* && "$used" != "$folder" ]]; then
            fail "${file#"$root"/}:$line: includes \"$include\", which is internal to $used"
        fi
    done < <(grep -HnoE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]+"' \
                 "$path" -r --include='*.h' --include='*.cpp' |
             sed -E 's/#[[:space:]]*include[[:space:]]*"([^"]+)"/\1/; s/:[[:space:]]+/:/')

    cmake_file=$path/CMakeLists.txt
    cmake_text=$([ -f "$cmake_file" ] && grep -v '^[[:space:]]*#' "$cmake_file" || true)
    while read -r library; do
        used=${folder_of_library[$library]:-}
        [ -n "$used" ] || continue
        if [[ "$may" != *" $used "* ]]; then
            fail "src/$folder/CMakeLists.txt: links $library of $used, but $folder may use only ${listed[$folder]}"
        fi
    done < <(grep -oE '\bkestro_[a-z_]+' <<<"$cmake_text" | sort -u)

    [ "${qt[$folder]}" = Core ] || continue
    if grep -qE 'Qt6::(Gui|Widgets)|kestro_widget_library' <<<"$cmake_text"; then
        fail "src/$folder/CMakeLists.txt: links Qt Gui or Widgets, but $folder uses QtCore at most"
    fi
    [ -n "$qtcore" ] || continue
    while IFS=: read -r file line header; do
        name=${header#QtCore/}
        [ -e "$qtcore/$name" ] ||
            fail "${file#"$root"/}:$line: includes <$header>, which is not QtCore's, but $folder uses QtCore at most"
    done < <(grep -HnoE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q[^>]*>' \
                 "$path" -r --include='*.h' --include='*.cpp' |
             sed -E 's/#[[:space:]]*include[[:space:]]*<([^>]+)>/\1/; s/:[[:space:]]+/:/')
done

if [ "$failures" -gt 0 ]; then
    echo "layers: $failures upward or foreign uses; see docs/architecture.md"
    exit 1
fi
echo "layers: every folder of src/ uses only the folders below it"
