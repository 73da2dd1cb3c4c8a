#!/usr/bin/env bash
# Opens reports that start in whole-page zoom, page-width zoom and at 25% on a virtual X
# display, once without a window manager and once under openbox, and checks on a
# screenshot of each preview window that the first layout was made for the size the
# window is shown at: the whole page fits the height, the page fills the width, small
# pages share rows. Without a window manager the window takes most of the screen.
#   usage: xvfb_first_layout.sh QUARLO_PROGRAM [OUTPUT_DIR]
# Exits 77 (skipped) when the X tools are not installed.
set -euo pipefail
program=$1
out=${2:-.}
for tool in Xvfb xdotool xwininfo import iconv openbox; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
/usr/bin/python3 -c 'import PIL' 2>/dev/null || { echo "skipped: python3-pil is not installed"; exit 77; }
mkdir -p "$out"
source "$(dirname "$0")/../support/xvfb.sh"
screen_w=1280; screen_h=1024
xvfb_start "${screen_w}x${screen_h}" "$out"
reports=$(mktemp -d)
remove_reports() { rm -rf "$reports"; }
xvfb_on_exit remove_reports

# Nine A4 pages; the caption (code page 936) names the case, the options its zoom.
write_report() {
  local file=$1 name=$2 options=$3 pages=""
  for _ in $(seq 9); do pages+="<page0/>"; done
  {
    printf '<?xml version="1.0" encoding="utf-8"?><preparedreport><report><TfrxReport ReportOptions.Name="'
    printf '%s' "$name" | iconv -f utf-8 -t gbk
    printf '" %s/></report><previewpages>%s</previewpages>' "$options" "$pages"
    printf '<sourcepages><TfrxReportPage Name="Page1" PaperWidth="210" PaperHeight="297"/></sourcepages></preparedreport>'
  } >"$file"
}

fail=0
check() { if [ "$2" != "$3" ]; then echo "FAIL $1: got '$2', want '$3'"; fail=1; else echo "ok   $1: $2"; fi; }

# Prints "PAGE_SPAN WINDOW_EXTENT" for the longest run of white paper along the middle
# column (vertical) or along a row 40 pixels into the pages (horizontal), and the number
# of pages that row crosses.
measure() {
  /usr/bin/python3 - "$1" "$2" <<'PY'
import sys
from PIL import Image
img = Image.open(sys.argv[1]).convert("RGB")
w, h = img.size
def runs(pixels):
    out, start = [], None
    for i, p in enumerate(pixels + [(0, 0, 0)]):
        white = p == (255, 255, 255)
        if white and start is None: start = i
        if not white and start is not None:
            out.append(i - start); start = None
    return out
if sys.argv[2] == "vertical":
    col = [img.getpixel((w // 2, y)) for y in range(h)]
    print(max(runs(col) or [0]), h, 0)
else:
    # The first row of pages: the first y below the toolbar where the middle column is white.
    y0 = next((y for y in range(40, h) if img.getpixel((w // 2, y)) == (255, 255, 255)), h // 2)
    row = [img.getpixel((x, min(h - 1, y0 + 40))) for x in range(w)]
    wide = [r for r in runs(row) if r > 100]
    print(max(wide or [0]), w, len(wide))
PY
}

run_case() {
  local wm=$1 label=$2 options=$3 direction=$4
  local name="布局 $label"
  local file="$reports/$label.fp3"
  write_report "$file" "$name" "$options"
  QT_QPA_PLATFORM=xcb "$program" "$file" >"$out/first_layout.log" 2>&1 &
  xvfb_app=$!
  local id=""
  for _ in $(seq 150); do
    id=$(xdotool search --onlyvisible --name "^$name\$" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && break
    kill -0 "$xvfb_app" 2>/dev/null || { echo "the program ended early:"; cat "$out/first_layout.log"; exit 1; }
    sleep 0.1
  done
  [ -n "$id" ] || { echo "FAIL $wm $label: no window named '$name'"; fail=1; return; }
  sleep 1.5  # the window manager's maximising, then the paint
  local shot="$out/first_layout_${wm}_${label// /_}.png"
  import -window "$id" "$shot"
  local size; size=$(xdotool getwindowgeometry "$id" | sed -n 's/^ *Geometry: //p')
  echo "     $wm $label: window $size, $shot"
  read -r span extent pages < <(measure "$shot" "$direction")
  case $label in
    whole-page)
      # The page and its margins fit the view between the toolbar and the status bar.
      check "$wm $label: page height fits and fills the view" "$(( span > extent - 110 && span < extent - 40 ))" 1 ;;
    page-width)
      check "$wm $label: page fills the width" "$(( span > extent - 70 && span < extent ))" 1 ;;
    quarter)
      check "$wm $label: A4 at 25% is 198 wide" "$(( span >= 196 && span <= 199 ))" 1
      check "$wm $label: pages share the first row" "$(( pages >= 4 ))" 1 ;;
  esac
  if [ "$wm" = none ] && [ "$label" = whole-page ]; then
    local w=${size%x*} h=${size#*x}
    check "no window manager: most of the screen" "$(( w >= screen_w * 8 / 10 && h >= screen_h * 8 / 10 ))" 1
  fi
  kill "$xvfb_app" 2>/dev/null || true
  wait "$xvfb_app" 2>/dev/null || true
  xvfb_app=""
}

run_all() {
  run_case "$1" whole-page 'PreviewOptions.ZoomMode="zmWholePage"' vertical
  run_case "$1" page-width 'PreviewOptions.ZoomMode="zmPageWidth"' horizontal
  run_case "$1" quarter 'PreviewOptions.Zoom="0.25"' horizontal
}

run_all none
openbox >/dev/null 2>&1 &
wm_pid=$!
stop_wm() { kill "$wm_pid" 2>/dev/null || true; }
xvfb_on_exit stop_wm
sleep 1
run_all openbox
exit $fail
