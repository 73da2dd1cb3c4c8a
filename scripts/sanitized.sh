#!/usr/bin/env bash
# The code that reads outside data, once more under AddressSanitizer and
# UndefinedBehaviorSanitizer: the test programs that need no window system, then every
# fuzz target replaying its committed corpus. One clang build (build-fuzz, the tree
# scripts/fuzz.sh uses) serves both. Tests named Heavy* (gigabyte inputs) are left out:
# they measure the normal build. Exit status 1 when anything failed.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${QUARLO_FUZZ_BUILD:-build-fuzz}
if [ ! -f "$build/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUARLO_FUZZ=ON -DQUARLO_GUI=OFF -DQUARLO_BENCH=OFF >/dev/null
fi
ninja -C "$build" -j"${QUARLO_JOBS:-2}"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
status=0
echo "== non-GUI tests under AddressSanitizer and UndefinedBehaviorSanitizer"
(cd "$build" && ctest --output-on-failure -j2 --timeout 900 -E Heavy) || status=1
echo "== fuzz targets replaying their corpora"
QUARLO_FUZZ_REGRESSION=1 QUARLO_FUZZ_BUILD="$build" scripts/fuzz.sh || status=1
exit $status
