#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer + UndefinedBehaviorSanitizer) and
# runs each for SECONDS on a scratch copy of its committed corpus, then reports the
# executions and findings of every target. Exit status 1 when any target found a fault.
#   usage: scripts/fuzz.sh [SECONDS] [TARGET...]      (default 60 s, every target)
#   QUARLO_FUZZ_REGRESSION=1 scripts/fuzz.sh          only replays each corpus once
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
build=${QUARLO_FUZZ_BUILD:-build-fuzz}
work=${QUARLO_FUZZ_WORK:-$build/fuzz-runs}
if [ ! -f "$build/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUARLO_FUZZ=ON -DQUARLO_GUI=OFF -DQUARLO_BENCH=OFF >/dev/null
fi
targets=("$@")
if ((${#targets[@]} == 0)); then
  for f in fuzz/*_fuzzer.cpp; do targets+=("$(basename "$f" .cpp)"); done
fi
ninja -C "$build" -j"${QUARLO_JOBS:-2}" "${targets[@]}" >/dev/null

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
failed=0
printf '%-28s %12s %8s  %s\n' target executions seconds result
for target in "${targets[@]}"; do
  name=${target%_fuzzer}
  corpus=fuzz/corpus/$name
  dict=""
  case $name in
    xml_reader|report_file|object_properties) dict=fuzz/fp3.dict ;;
    memo_markup) dict=fuzz/markup.dict ;;
  esac
  run=$work/$name
  rm -rf "$run" && mkdir -p "$run/corpus" "$run/artifacts"
  [ -d "$corpus" ] && cp -r "$corpus/." "$run/corpus/"
  args=(-max_len=65536 -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=512 -artifact_prefix="$run/artifacts/")
  [ -n "$dict" ] && args+=(-dict="$dict")
  start=$(date +%s)
  if [ "${QUARLO_FUZZ_REGRESSION:-0}" = 1 ]; then
    set +e; "$build/fuzz/$target" "${args[@]}" -runs=0 "$run/corpus" >"$run/log" 2>&1; rc=$?; set -e
  else
    set +e; "$build/fuzz/$target" "${args[@]}" -max_total_time="$seconds" -print_final_stats=1 \
      "$run/corpus" >"$run/log" 2>&1; rc=$?; set -e
  fi
  elapsed=$(( $(date +%s) - start ))
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$run/log" | tail -1 || true)
  [ -n "$execs" ] || execs=$(grep -oE '^#[0-9]+' "$run/log" | tail -1 | tr -d '#' || true)
  if ((rc == 0)); then result=clean
  else result="FOUND (exit $rc): $(ls "$run/artifacts" | head -3 | tr '\n' ' ' || true) log $run/log"; failed=1; fi
  printf '%-28s %12s %8s  %s\n' "$target" "${execs:-?}" "$elapsed" "$result"
done
exit $failed
