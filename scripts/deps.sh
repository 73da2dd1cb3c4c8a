#!/usr/bin/env bash
# Installs the Debian packages Quarlo builds, runs and tests with. Idempotent: when
# every package is present it does nothing (no network access).
set -euo pipefail
PACKAGES=(
  # build
  cmake ninja-build g++ pkg-config clang libclang-rt-14-dev
  googletest libgtest-dev libbenchmark-dev
  zlib1g-dev libpng-dev libjpeg62-turbo-dev libuemf-dev
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-svg-dev libgl-dev libcups2-dev
  qt6-translations-l10n  # Qt's own dialogs and buttons in Chinese
  libfontconfig-dev  # the font aliases are loaded into fontconfig at start-up
  libqpdf-dev qpdf  # bookmarks and links added to exported PDF, copies of mixed-paper prints; the tests read them back
  # fonts the reports name, through the aliases in config/fonts
  fontconfig fonts-liberation fonts-liberation2 fonts-wine fonts-dejavu-core
  fonts-arphic-uming fonts-arphic-ukai fonts-wqy-zenhei fonts-wqy-microhei
  # printing and the tools the tests read results with
  cups cups-client cups-bsd printer-driver-cups-pdf poppler-utils zbar-tools
  mupdf-tools  # mutool: the yardstick of bench/render_speed.sh
  python3-zxing-cpp python3-pil  # the second barcode decoder, run by /usr/bin/python3
  xvfb xauth x11-utils imagemagick desktop-file-utils xdg-utils
  xdotool openbox  # window names under Xvfb; a window manager where window sizes matter
  # desktop integration and packaging checks
  shared-mime-info libglib2.0-bin dpkg-dev libfile-mimeinfo-perl  # mimetype: xdg-mime without a desktop
  lintian appstream  # the package and its AppStream metadata as a distribution checks them
)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
