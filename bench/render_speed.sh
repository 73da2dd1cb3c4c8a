#!/usr/bin/env bash
# Whole-process speed of `quarlo-cli render` at 96 dpi against `mutool draw -r 96`
# (mupdf-tools) drawing PDFs of the same pages written by `quarlo-cli pdf`:
#   dense page   one A4 page of 200 framed Chinese and Latin texts
#   200 pages    200 A4 pages of 40 objects each
# Both tools run in turn, RUNS times each, so that other load on the machine falls on
# both alike. Printed: the median CPU time (user + system, which other load barely
# changes) and wall time of each, the CPU ratio, and the bytes of PNG each wrote.
#
#   bench/render_speed.sh [BUILD_DIR [RUNS [INPUT...]]]
# defaults: build, 5 runs, both inputs (dense-page pages-200).
set -euo pipefail

build=${1:-build}
runs=${2:-5}
shift $(($# < 2 ? $# : 2))
inputs=("$@")
((${#inputs[@]})) || inputs=(dense-page pages-200)
cli=$build/quarlo-cli
make_reports=$build/tools/quarlo-make-bench-reports
for tool in "$cli" "$make_reports"; do
  [ -x "$tool" ] || { echo "missing $tool: ninja -C $build quarlo-cli quarlo-make-bench-reports" >&2; exit 1; }
done
command -v mutool >/dev/null || { echo "mutool missing: scripts/deps.sh installs mupdf-tools" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$make_reports" "$work" >/dev/null

# "CPU WALL" seconds of one run. bash's `times` gives the CPU time (user and system) of
# the subshell's finished children to the millisecond.
measure() {
  local start cpu
  start=$(date +%s.%N)
  cpu=$(
    "$@" >/dev/null 2>"$work/stderr" || { cat "$work/stderr" >&2; exit 1; }
    times >"$work/times"
    awk 'function s(t) { split(t, p, "m"); sub("s", "", p[2]); return p[1] * 60 + p[2] }
         NR == 2 { printf "%.3f", s($1) + s($2) }' "$work/times"
  )
  echo "$cpu $(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.3f", b - a }')"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

bytes() { cat "$1"/*.png | wc -c; }

printf '%-11s %22s %22s %7s %19s\n' "input" "quarlo-cli render" "mutool draw" "ratio" "PNG bytes"
printf '%-11s %22s %22s %7s %19s\n' "" "cpu s (wall s)" "cpu s (wall s)" "cpu" "quarlo / mutool"
for name in "${inputs[@]}"; do
  [ -f "$work/$name.fp3" ] || { echo "unknown input $name (dense-page, pages-200)" >&2; exit 2; }
  "$cli" pdf "$work/$name.fp3" -o "$work/$name.pdf" >/dev/null 2>"$work/stderr" || { cat "$work/stderr" >&2; exit 1; }
  mkdir -p "$work/$name-q" "$work/$name-m"
  : >"$work/q" && : >"$work/m"
  for ((i = 0; i < runs; ++i)); do
    measure "$cli" render "$work/$name.fp3" -o "$work/$name-q/page.png" >>"$work/q"
    measure mutool draw -q -r 96 -o "$work/$name-m/page%d.png" "$work/$name.pdf" >>"$work/m"
  done
  q_cpu=$(cut -d' ' -f1 "$work/q" | median) q_wall=$(cut -d' ' -f2 "$work/q" | median)
  m_cpu=$(cut -d' ' -f1 "$work/m" | median) m_wall=$(cut -d' ' -f2 "$work/m" | median)
  printf '%-11s %13.3f (%6.3f) %13.3f (%6.3f) %6.2fx %9d / %d\n' "$name" "$q_cpu" "$q_wall" "$m_cpu" "$m_wall" \
    "$(awk -v a="$q_cpu" -v b="$m_cpu" 'BEGIN { print a / b }')" "$(bytes "$work/$name-q")" "$(bytes "$work/$name-m")"
done
