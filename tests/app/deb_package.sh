#!/usr/bin/env bash
# Builds the Debian package from the build directory and checks it: the file name,
# the runtime libraries and fonts it depends on, and that it carries the programs,
# the menu entry, the MIME type and the icons under /usr.
#   usage: deb_package.sh BUILD_DIR OUTPUT_DIR VERSION
# Exits 77 (skipped) when the Debian tools are not installed.
set -euo pipefail
build=$1
out=$2
version=$3
for tool in cpack dpkg-deb dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
rm -rf "$out" && mkdir -p "$out"
(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) || { cat "$out/cpack.log"; exit 1; }
deb=$out/quarlo_${version}_amd64.deb
[ -f "$deb" ] || { echo "FAIL no $deb"; ls "$out"; exit 1; }
echo "ok   package: $(basename "$deb")"

fail=0
depends=$(dpkg-deb -f "$deb" Depends)
for need in libqt6widgets6 libqt6gui6 libqt6core6 libqt6svg6 qt6-qpa-plugins libpng16-16 \
            libjpeg62-turbo zlib1g libfontconfig1 fonts-liberation fonts-arphic-uming; do
  if grep -qE "(^|, )$need( |,|$)" <<<"$depends"; then echo "ok   depends on $need"
  else echo "FAIL does not depend on $need"; fail=1; fi
done
contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
for path in ./usr/bin/quarlo ./usr/bin/quarlo-cli ./usr/share/applications/quarlo.desktop \
            ./usr/share/mime/packages/quarlo.xml ./usr/share/icons/hicolor/48x48/apps/quarlo.png \
            ./usr/share/icons/hicolor/scalable/apps/quarlo.svg ./usr/share/quarlo/fonts/60-quarlo-aliases.conf \
            ./usr/share/quarlo/help/quarlo-help.html; do
  if grep -qxF "$path" <<<"$contents"; then echo "ok   carries $path"
  else echo "FAIL does not carry $path"; fail=1; fi
done
exit $fail
