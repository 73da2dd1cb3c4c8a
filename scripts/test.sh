#!/usr/bin/env bash
# Installs what is missing, builds, starts the print spooler with a PDF queue and runs
# every test. Exit status is that of the test run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/fonts.sh
scripts/build.sh
source scripts/spooler.sh
# Stops the private spooler however the run ends, and only when this run started it.
trap spooler_stop EXIT
spooler_start
cd build
ctest --output-on-failure -j2 --timeout 600
