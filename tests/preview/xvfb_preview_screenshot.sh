#!/usr/bin/env bash
# Starts the real program on a virtual X display with a report, takes a screenshot of
# the preview window and checks it: the window is there with its toolbar icons, the
# pages sit on the grey background with equal margins left and right, and no
# horizontal scroll bar shows when the page fits.
#   usage: xvfb_preview_screenshot.sh QUARLO_PROGRAM REPORT.fp3 [OUTPUT_DIR]
# Exits 77 (skipped) when the X tools are not installed.
set -euo pipefail
program=$1
report=$2
out=${3:-.}
for tool in Xvfb xdotool xwininfo import convert cc; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
mkdir -p "$out"

source "$(dirname "$0")/../support/xvfb.sh"
xvfb_build_maximise || { echo "skipped: cannot build an X client"; exit 77; }
screen_w=1280; screen_h=1024
xvfb_start "${screen_w}x${screen_h}" "$out"

QT_QPA_PLATFORM=xcb "$program" "$report" >"$out/preview.log" 2>&1 &
app=$!
xvfb_app=$app
id=""
for _ in $(seq 150); do
  # The preview is the window captioned with the sample's name.
  id=$(xdotool search --onlyvisible --name '^示例报表 Sample report$' 2>/dev/null | head -1 || true)
  if [ -n "$id" ] && xwininfo -id "$id" | grep -q 'Map State: IsViewable'; then break; fi
  id=""
  kill -0 "$app" 2>/dev/null || { echo "the program ended early:"; cat "$out/preview.log"; exit 1; }
  sleep 0.1
done
[ -n "$id" ] || { echo "no preview window appeared"; exit 1; }
"$xvfb_maximise" "$id" "$screen_w" "$((screen_h - 24))"
sleep 1.5  # let the pages lay out and paint
import -window root "$out/preview.png"

info=$(xwininfo -id "$id")
field() { sed -n "s/^ *$1: *//p" <<<"$info" | head -1; }
x=$(field 'Absolute upper-left X'); y=$(field 'Absolute upper-left Y')
w=$(field Width); h=$(field Height)
pixel() {
  convert "$out/preview.png" -crop "1x1+$1+$2" +repage \
    -format '%[fx:int(255*r+0.5)],%[fx:int(255*g+0.5)],%[fx:int(255*b+0.5)]' info:
}
# One row of the window as "r,g,b" per pixel, left to right.
row() {
  convert "$out/preview.png" -crop "${w}x1+$x+$1" +repage -depth 8 txt:- |
    sed -n 's/^[0-9]*,[0-9]*: (\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p'
}
fail=0
check() { if [ "$2" != "$3" ]; then echo "FAIL $1: got '$2', want '$3'"; fail=1; else echo "ok   $1: $2"; fi; }

# A row through the first page, 120 pixels below the window top (below the toolbar),
# read from the right: the vertical scroll bar, the grey margin, the page with its
# frames, the grey margin again, then the outline panel.
mapfile -t pixels < <(row $((y + 120)))
grey="128,128,128"
i=$((${#pixels[@]} - 1))
while [ $i -gt 0 ] && [ "${pixels[$i]}" != "$grey" ]; do i=$((i - 1)); done
margin_end=$i
while [ $i -gt 0 ] && [ "${pixels[$i]}" = "$grey" ]; do i=$((i - 1)); done
right_grey=$((margin_end - i)); page_right=$i
while [ $i -gt 0 ] && [ "${pixels[$i]}" != "$grey" ]; do i=$((i - 1)); done
page_left=$((i + 1))
while [ $i -gt 0 ] && [ "${pixels[$i]}" = "$grey" ]; do i=$((i - 1)); done
left_grey=$((page_left - 1 - i))
page_width=$((page_right - page_left + 1))
echo "     page columns $page_left..$page_right, margins: left $left_grey, right $right_grey"
check "A4 page at zoom 1 with its frames" "$(( page_width >= 794 && page_width <= 800 ))" 1
check "page white inside" "${pixels[$(( (page_left + page_right) / 2 ))]}" "255,255,255"
# Rows are centred in the viewport width less 26 and moved 10 to the right, so the
# right margin is a few pixels wider than the left one, never more than 6.
check "page centred" "$(( right_grey >= left_grey && right_grey - left_grey <= 6 ))" 1

# The status bar is the bottom 19 pixels; just above it, in the grey margin, a
# horizontal scroll bar would show its own colours instead of the background.
check "no horizontal scroll bar" "$(pixel $((x + margin_end - 5)) $((y + h - 19 - 4)))" "$grey"
# Toolbar icons: the print button's glyph is not a flat button face.
colours=$(convert "$out/preview.png" -crop "120x24+$x+$y" +repage -format '%k' info:)
check "toolbar has icons" "$(( colours > 8 ))" 1
echo "screenshot: $out/preview.png"
exit $fail
