#!/usr/bin/env bash
# The preview window on a virtual X display at device pixel ratio 2 (QT_SCALE_FACTOR=2):
# the window and the A4 page at zoom 1 take twice their logical size in device pixels,
# and the page's text and the toolbar icons are drawn at the device's resolution, not
# as a logical picture blown up (where every 2 x 2 block of pixels would be one colour).
#   usage: xvfb_hidpi_screenshot.sh QUARLO_PROGRAM REPORT.fp3 [OUTPUT_DIR]
# Exits 77 (skipped) when the X tools are not installed.
set -euo pipefail
program=$1
report=$2
out=${3:-.}
for tool in Xvfb xdotool xwininfo import convert compare cc; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
mkdir -p "$out"

source "$(dirname "$0")/../support/xvfb.sh"
xvfb_build_maximise || { echo "skipped: cannot build an X client"; exit 77; }
ratio=2
screen_w=2560; screen_h=2048
xvfb_start "${screen_w}x${screen_h}" "$out"

QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$ratio "$program" "$report" >"$out/hidpi.log" 2>&1 &
app=$!
xvfb_app=$app
id=""
for _ in $(seq 150); do
  # The preview is the window captioned with the sample's name.
  id=$(xdotool search --onlyvisible --name '^示例报表 Sample report$' 2>/dev/null | head -1 || true)
  if [ -n "$id" ] && xwininfo -id "$id" | grep -q 'Map State: IsViewable'; then break; fi
  id=""
  kill -0 "$app" 2>/dev/null || { echo "the program ended early:"; cat "$out/hidpi.log"; exit 1; }
  sleep 0.1
done
[ -n "$id" ] || { echo "no preview window appeared"; exit 1; }
"$xvfb_maximise" "$id" "$screen_w" "$((screen_h - 48))"
sleep 2  # let the pages lay out and paint
shot=$out/preview_hidpi.png
import -window root "$shot"

info=$(xwininfo -id "$id")
field() { sed -n "s/^ *$1: *//p" <<<"$info" | head -1; }
x=$(field 'Absolute upper-left X'); y=$(field 'Absolute upper-left Y')
w=$(field Width)
fail=0
check() { if [ "$2" != "$3" ]; then echo "FAIL $1: got '$2', want '$3'"; fail=1; else echo "ok   $1: $2"; fi; }

# A row through the first page below the toolbar, read from the right as the 1x check
# does: scroll bar, grey margin, the page with its frames.
mapfile -t pixels < <(convert "$shot" -crop "${w}x1+$x+$((y + 240))" +repage -depth 8 txt:- |
  sed -n 's/^[0-9]*,[0-9]*: (\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p')
grey="128,128,128"
i=$((${#pixels[@]} - 1))
while [ $i -gt 0 ] && [ "${pixels[$i]}" != "$grey" ]; do i=$((i - 1)); done
while [ $i -gt 0 ] && [ "${pixels[$i]}" = "$grey" ]; do i=$((i - 1)); done
page_right=$i
while [ $i -gt 0 ] && [ "${pixels[$i]}" != "$grey" ]; do i=$((i - 1)); done
page_left=$((i + 1))
page_width=$((page_right - page_left + 1))
echo "     page columns $page_left..$page_right ($page_width device pixels)"
# 100% is the paper at 96 dpi in logical pixels: A4's 794, here doubled, with the frames.
check "A4 page at zoom 1 in device pixels" "$(( page_width >= 2 * 794 && page_width <= 2 * 800 ))" 1

# Pixels that differ from their 2 x 2 block's top-left pixel, in a part of the picture;
# a logical picture blown up has none. Also the number of dark (inked) pixels there.
unblocky() {
  local crop=$1
  convert "$shot" -crop "$crop" +repage "$out/hidpi_part.png"
  convert "$out/hidpi_part.png" -sample 50% -sample 200% "$out/hidpi_part_blocks.png"
  compare -metric AE "$out/hidpi_part.png" "$out/hidpi_part_blocks.png" null: 2>&1 | cut -d' ' -f1 || true
}
inked() {
  convert "$shot" -crop "$1" +repage -colorspace gray -threshold 50% -negate -format '%[fx:int(mean*w*h+0.5)]' info:
}
# The sales table and the notes under it: 680 x 260 logical pixels from 40 pixels into
# the paper and 130 below the window's top.
text_crop="$((2 * 680))x$((2 * 260))+$((x + page_left + 2 * 40))+$((y + 2 * 130))"
text_ink=$(inked "$text_crop")
text_fine=$(unblocky "$text_crop")
echo "     text: $text_fine of $text_ink inked pixels finer than a 2 x 2 block"
check "the page has text" "$(( text_ink > 20000 ))" 1
check "text drawn at the device resolution" "$(( text_fine * 4 > text_ink ))" 1
# The first ten toolbar buttons.
icon_crop="$((2 * 230))x$((2 * 24))+$x+$y"
icon_fine=$(unblocky "$icon_crop")
echo "     toolbar: $icon_fine pixels finer than a 2 x 2 block"
check "toolbar icons drawn for the ratio" "$(( icon_fine > 200 ))" 1
echo "screenshot: $shot"
exit $fail
