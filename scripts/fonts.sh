#!/usr/bin/env bash
# Installs the font aliases that map the faces reports name (Arial, 宋体, ...) to the
# metric-compatible faces the deps script installs, for the current user.
set -euo pipefail
cd "$(dirname "$0")/.."
dest="${XDG_CONFIG_HOME:-$HOME/.config}/fontconfig/conf.d"
mkdir -p "$dest"
if ! cmp -s config/fonts/60-quarlo-aliases.conf "$dest/60-quarlo-aliases.conf" 2>/dev/null; then
  cp config/fonts/60-quarlo-aliases.conf "$dest/60-quarlo-aliases.conf"
  fc-cache -f >/dev/null 2>&1 || true
fi
