#!/usr/bin/env bash
# Installs what is missing, builds, and opens the bundled sample report in the viewer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/fonts.sh
scripts/build.sh
exec build/quarlo samples/sample.fp3
