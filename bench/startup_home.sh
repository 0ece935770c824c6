# Sourced by the start-up scripts: a fresh home folder in $work with a settings file whose date is
# valid in every short date format, so that no message box opens, and the variables that point
# the program at it. Removed when the script ends.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/xdg-runtime"
cat >"$work/Dunmarek.ini" <<'INI'
[Shift Schedule]
NumberOfPlatoons=3
DaysInRotation=24
ShiftRotation=ACABABABCBCACACABABCBCBC
StartDate=3/1/2024
[Colors]
APlt=Red
AInv=White
BPlt=Blue
BInv=White
CPlt=Lime
CInv=Black
INI
export XDG_RUNTIME_DIR="$work/xdg-runtime" HOME="$work" XDG_CONFIG_HOME="$work/config"
