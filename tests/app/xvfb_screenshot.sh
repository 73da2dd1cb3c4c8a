#!/usr/bin/env bash
# Starts the real program on a virtual X display, takes a screenshot of the whole
# screen and checks the launcher in it: its window exists, has the fixed client size,
# sits in the middle of the screen, shows the button-face background and the logo.
#   usage: xvfb_screenshot.sh QUARLO_PROGRAM [OUTPUT_DIR]
# Exits 77 (skipped) when the X tools are not installed.
set -euo pipefail
program=$1
out=${2:-.}
for tool in Xvfb xwininfo import convert; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
mkdir -p "$out"

source "$(dirname "$0")/../support/xvfb.sh"
xvfb_start 1024x768 "$out"

QT_QPA_PLATFORM=xcb "$program" >"$out/launcher.log" 2>&1 &
app=$!
xvfb_app=$app
info=""
for _ in $(seq 100); do
  if info=$(xwininfo -name Quarlo 2>/dev/null) && grep -q 'Map State: IsViewable' <<<"$info"; then break; fi
  info=""
  kill -0 "$app" 2>/dev/null || { echo "the program ended early:"; cat "$out/launcher.log"; exit 1; }
  sleep 0.1
done
[ -n "$info" ] || { echo "no window named Quarlo appeared"; exit 1; }
sleep 0.5  # let the first paint land
import -window root "$out/launcher.png"

field() { sed -n "s/^ *$1: *//p" <<<"$info" | head -1; }
x=$(field 'Absolute upper-left X'); y=$(field 'Absolute upper-left Y')
w=$(field Width); h=$(field Height)
pixel() {
  convert "$out/launcher.png" -crop "1x1+$1+$2" +repage \
    -format '%[fx:int(255*r+0.5)],%[fx:int(255*g+0.5)],%[fx:int(255*b+0.5)]' info:
}
fail=0
check() { if [ "$2" != "$3" ]; then echo "FAIL $1: got '$2', want '$3'"; fail=1; else echo "ok   $1: $2"; fi; }
check "client size" "${w}x${h}" "289x51"
check "centred x" "$(( x == (1024 - 289) / 2 || x == (1024 - 289 + 1) / 2 ))" 1
check "centred y" "$(( y == (768 - 51) / 2 || y == (768 - 51 + 1) / 2 ))" 1
check "background" "$(pixel $((x + 2)) $((y + 2)))" "240,240,240"
check "logo" "$(pixel $((x + 7 + 60)) $((y + 12 + 24)))" "31,95,168"
echo "screenshot: $out/launcher.png"
exit $fail
