#!/usr/bin/env bash
# Times the thumbnailer as a file manager runs it: the Exec line of
# config/desktop/quarlo.thumbnailer with its fields filled, on the sample (or FILE), RUNS
# times (default 20). Prints the median and the slowest wall time and the median CPU time
# (user + system) of the whole process, start-up included, against the 0.2 s target.
#
#   bench/thumbnail.sh [BUILD_DIR] [FILE] [RUNS] [SIZE]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
file=${2:-$root/samples/sample.fp3}
runs=${3:-20}
size=${4:-256}
exec_line=$(sed -n 's/^Exec=//p' "$root/config/desktop/quarlo.thumbnailer")
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
line=${exec_line//%s/$size}
line=${line//%i/\'$file\'}
line=${line//%o/\'$out/thumb.png\'}
times=()
for _ in $(seq 1 "$runs"); do
  # "real user sys" of one run, in seconds.
  times+=("$( { env -u QT_QPA_PLATFORM PATH="$build:$PATH" TIMEFORMAT='%R %U %S' \
    bash -c "time $line >/dev/null 2>&1"; } 2>&1 | tail -n 1)")
done
printf '%s\n' "${times[@]}" | python3 -c '
import statistics, sys
rows = [tuple(map(float, l.split())) for l in sys.stdin if l.strip()]
wall = sorted(r[0] for r in rows)
cpu = sorted(r[1] + r[2] for r in rows)
print("thumbnail of %s at %s px, %d runs: wall median %.3f s, slowest %.3f s; CPU median %.3f s (target 0.2 s)"
      % (sys.argv[1], sys.argv[2], len(rows), statistics.median(wall), wall[-1], statistics.median(cpu)))
' "$(basename "$file")" "$size"
