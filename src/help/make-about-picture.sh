#!/usr/bin/env bash
# Draws the About picture, a month of a three-platoon rotation in the platoons' colors, with
# ImageMagick. Run once by hand when the picture should change; the build only reads the JPEG.
# Usage: src/help/make-about-picture.sh [OUTPUT]   (default docs/about.jpg)
set -euo pipefail
out=${1:-"$(cd "$(dirname "$0")/../.." && pwd)/docs/about.jpg"}
convert=/usr/bin/convert # the ImageMagick program itself

rotation=ACABABABCBCACACABABCBCBC
first_weekday=3 # the month starts on a Wednesday
month_days=31
left=10 top=62 cell_w=36 cell_h=26

draw=()
# Title band and the weekday initials.
draw+=(-fill '#1c2f5e' -draw "rectangle 0,0 275,39")
draw+=(-fill white -font DejaVu-Sans-Bold -pointsize 20 -annotate +12+28 "Kestro")
draw+=(-fill '#c9d6ff' -font DejaVu-Sans -pointsize 13 -annotate +170+27 "March")
col=0
for initial in S M T W T F S; do
    draw+=(-fill '#404040' -font DejaVu-Sans-Bold -pointsize 10
           -annotate +$((left + col * cell_w + 14))+56 "$initial")
    col=$((col + 1))
done
for cell in $(seq 0 34); do
    col=$((cell % 7)) row=$((cell / 7))
    x=$((left + col * cell_w)) y=$((top + row * cell_h))
    day=$((cell - first_weekday + 1))
    if [ "$day" -lt 1 ] || [ "$day" -gt "$month_days" ]; then
        fill='#f4f4f4' ink='#b0b0b0'
        [ "$day" -lt 1 ] && day=$((28 + day)) || day=$((day - month_days))
    else
        case ${rotation:$(((day - 1) % ${#rotation})):1} in
        A) fill='#ff0000' ink='#ffffff' ;;
        B) fill='#0000ff' ink='#ffffff' ;;
        C) fill='#00ff00' ink='#000000' ;;
        esac
    fi
    draw+=(-fill "$fill" -stroke '#808080' -draw "rectangle $x,$y $((x + cell_w - 2)),$((y + cell_h - 2))" -stroke none)
    offset=$([ "$day" -lt 10 ] && echo 14 || echo 10)
    draw+=(-fill "$ink" -font DejaVu-Sans-Bold -pointsize 11 -annotate +$((x + offset))+$((y + 17)) "$day")
done

"$convert" -size 276x199 xc:white "${draw[@]}" -strip -interlace none -quality 85 "$out"
echo "wrote $out"
