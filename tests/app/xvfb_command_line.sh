#!/usr/bin/env bash
# The command line of the real program: a wrong option answers with the usage on stderr
# and exit 2 (no display needed); on a virtual X display `quarlo URL FILE` opens the
# first report (a percent-encoded file:// URL with a Chinese name) in this process and
# the second in a process of its own, each window captioned with its report's Chinese
# name; a missing file and a web address each bring up the error box; the open dialog
# speaks Chinese.
#   usage: xvfb_command_line.sh QUARLO_PROGRAM SAMPLE.fp3 [OUTPUT_DIR]
# Exits 77 (skipped) when the X tools are not installed.
set -euo pipefail
program=$1
sample=$2
out=${3:-.}
fail=0
check() { if [ "$2" != "$3" ]; then echo "FAIL $1: got '$2', want '$3'"; fail=1; else echo "ok   $1: $2"; fi; }

set +e
"$program" --zoom 2 >"$out/usage.out" 2>"$out/usage.err"
status=$?
set -e
check "unknown option exits 2" "$status" 2
check "usage on stderr" "$(grep -c '^usage: quarlo' "$out/usage.err")" 1
check "nothing on stdout" "$(wc -c <"$out/usage.out")" 0

for tool in Xvfb xdotool xprop import iconv; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
mkdir -p "$out"
source "$(dirname "$0")/../support/xvfb.sh"
xvfb_start 1280x1024 "$out"
reports=$(mktemp -d)
remove_reports() { rm -rf "$reports"; }
xvfb_on_exit remove_reports
others=()
stop_others() { local p; for p in "${others[@]}"; do kill "$p" 2>/dev/null || true; done; }
xvfb_on_exit stop_others

first="$reports/示例 报表.fp3"
cp "$sample" "$first"
second="$reports/second.fp3"
{
  printf '<?xml version="1.0" encoding="utf-8"?><preparedreport><report><TfrxReport ReportOptions.Name="'
  printf '第二份报表' | iconv -f utf-8 -t gbk
  printf '"/></report><previewpages><page0/></previewpages><sourcepages><TfrxReportPage Name="Page1"/></sourcepages></preparedreport>'
} >"$second"
url="file://$(/usr/bin/python3 -c 'import sys, urllib.parse; print(urllib.parse.quote(sys.argv[1]))' "$first")"

# Waits for a visible window whose whole name is $1 and prints its id.
window_named() {
  local id=""
  for _ in $(seq 150); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}
net_name() { xprop -id "$1" _NET_WM_NAME | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p'; }

QT_QPA_PLATFORM=xcb "$program" "$url" "$second" >"$out/command_line.log" 2>&1 &
xvfb_app=$!
if id1=$(window_named "示例报表 Sample report"); then
  check "first report's caption (from code page 936)" "$(net_name "$id1")" "示例报表 Sample report"
else
  echo "FAIL no window captioned with the sample's name"; xdotool search --name . getwindowname %@ || true; fail=1
fi
if id2=$(window_named "第二份报表"); then
  check "second report's caption" "$(net_name "$id2")" "第二份报表"
  pid1=$(xdotool getwindowpid "$id1" 2>/dev/null || echo 0)
  pid2=$(xdotool getwindowpid "$id2" 2>/dev/null || echo 0)
  others+=("$pid2")
  check "the second report has a process of its own" "$(( pid1 != pid2 && pid2 != 0 ))" 1
else
  echo "FAIL no window for the second file"; fail=1
fi
sleep 1
import -window root "$out/command_line_two_reports.png"

# Ctrl+O in the first preview: Qt's own file dialog, in Chinese.
if [ -n "${id1:-}" ]; then
  xdotool windowfocus --sync "$id1" key ctrl+o || true
  if dialog=$(window_named "打开"); then
    sleep 0.5
    import -window "$dialog" "$out/command_line_open_dialog.png"
    echo "ok   the open dialog is captioned 打开 ($out/command_line_open_dialog.png)"
    xdotool windowfocus --sync "$dialog" key Escape || true
  else
    echo "FAIL no open dialog captioned 打开"; fail=1
  fi
fi
kill "$xvfb_app" 2>/dev/null || true
wait "$xvfb_app" 2>/dev/null || true
stop_others

# A file that is not there, and a web address: the error box, nothing else.
for argument in "$reports/没有这个.fp3" "https://example.org/a.fp3"; do
  QT_QPA_PLATFORM=xcb "$program" "$argument" >"$out/command_line.log" 2>&1 &
  xvfb_app=$!
  if box=$(window_named "错误"); then
    sleep 0.5
    shot="$out/command_line_error_$([ "${argument#https}" = "$argument" ] && echo missing || echo url).png"
    import -window "$box" "$shot"
    echo "ok   '$argument' brings up the error box ($shot)"
  else
    echo "FAIL '$argument': no error box"; fail=1
  fi
  check "'$argument': no preview opened" "$(xdotool search --onlyvisible --name '^预览$' 2>/dev/null | wc -l)" 0
  kill "$xvfb_app" 2>/dev/null || true
  wait "$xvfb_app" 2>/dev/null || true
done
xvfb_app=""
exit $fail
