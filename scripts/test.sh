#!/usr/bin/env bash
# Installs what is missing, builds, starts the print spooler with a PDF queue and runs
# every test; then the non-GUI tests and the fuzz corpora once more under the sanitizers
# (scripts/sanitized.sh). Exit status 1 when either run failed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/check_layers.sh
scripts/fonts.sh
scripts/build.sh
source scripts/spooler.sh
# Stops the private spooler however the run ends, and only when this run started it.
trap spooler_stop EXIT
spooler_start
status=0
(cd build && ctest --output-on-failure -j2 --timeout 600) || status=1
scripts/sanitized.sh || status=1
exit $status
