#!/usr/bin/env bash
# What a report of mixed paper costs the spooler: prints the 200-page report of A4 and A5
# pages by turns onto a held queue of the private spooler, then reports the spooler jobs
# it became (lpstat -o), the bytes they hold in the spool folder, and the size of the PDF
# of the same pages (quarlo-cli pdf) for comparison. Paper sizes alone start no new job,
# so one job is expected, with spool bytes close to the PDF's. With QUARLO_BENCH_COPIES=N
# the print has N uncollated copies, which the job lays out itself. The held queue is
# removed afterwards.
#
#   bench/spool_mixed_paper.sh [BUILD_DIR]     (as root, like the spooler tests)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
source "$here/scripts/spooler.sh"
spooler_start
[ -n "${QUARLO_PDF_QUEUE:-}" ] || { echo "no private spooler queue" >&2; exit 1; }
work=$(mktemp -d)
queue=QuarloHeld$$
cleanup() {
  cancel -a "$queue" >/dev/null 2>&1 || true
  lpadmin -x "$queue" >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

"$build/tools/quarlo-make-bench-reports" "$work" >/dev/null
report=$work/mixed-paper-200.fp3
# A queue like the test queue that keeps its jobs pending, so they stay in the spool.
lpadmin -p "$queue" -v cups-pdf:/quarlo -P "$QUARLO_SPOOLER_DIR/quarlo-pdf.ppd" -E
cupsdisable "$queue"
spool=$QUARLO_SPOOLER_DIR/spool
before=$(ls "$spool" | grep -c '^d' || true)
copies=${QUARLO_BENCH_COPIES:-1}
"$build/quarlo-cli" print "$report" -d "$queue" --copies "$copies" --no-collate >"$work/jobs.txt"
ids=$(sed -E 's/.*-([0-9]+)$/\1/' "$work/jobs.txt")
jobs=$(lpstat -o "$queue" | wc -l)
bytes=0
for id in $ids; do
  for f in "$spool"/d$(printf '%05d' "$id")-*; do
    [ -e "$f" ] && bytes=$((bytes + $(stat -c %s "$f")))
  done
done
"$build/quarlo-cli" pdf "$report" -o "$work/pages.pdf" >/dev/null
pdf=$(stat -c %s "$work/pages.pdf")
echo "pages: 200 (A4 and A5 by turns), uncollated copies: $copies"
echo "spooler jobs (lpstat -o): $jobs"
echo "spool bytes: $bytes"
echo "PDF of the pages (quarlo-cli pdf): $pdf bytes"
awk -v s="$bytes" -v p="$pdf" 'BEGIN { printf "spool / PDF: %.2f\n", s / p }'
