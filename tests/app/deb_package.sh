#!/usr/bin/env bash
# Builds the Debian package from the build directory and checks it: the file name,
# the runtime libraries and fonts it depends on, and that it carries the programs,
# the menu entry, the MIME type and the icons under /usr; then what a distribution
# asks of it (deb_checks.sh): licence, changelog, manual pages, stripped programs,
# AppStream metadata, a font package for every face the aliases name, lintian.
# Run as root where apt-get exists (a CI machine after scripts/deps.sh), it also installs
# the package on this machine as a user would, asks xdg-mime for the type of a .fp3,
# opens the bundled sample with xdg-open on a virtual X display, checks that the
# installed program shows it (window list and screenshot), and removes the package
# again however the run ends. A quarlo package installed before is left alone.
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
            ./usr/share/quarlo/help/quarlo-help.html ./usr/lib/cups/filter/fp3topdf \
            ./usr/share/cups/mime/quarlo.types ./usr/share/cups/mime/quarlo.convs \
            ./usr/share/thumbnailers/quarlo.thumbnailer; do
  if grep -qxF "$path" <<<"$contents"; then echo "ok   carries $path"
  else echo "FAIL does not carry $path"; fail=1; fi
done

check() { if [ "$2" != "$3" ]; then echo "FAIL $1: got '$2', want '$3'"; fail=1; else echo "ok   $1: $2"; fi; }
source "$(dirname "$0")/deb_checks.sh"
installed() { dpkg-query -W -f='${Status}' quarlo 2>/dev/null | grep -q "install ok installed"; }
if [ "$(id -u)" -ne 0 ] || ! command -v apt-get >/dev/null; then
  echo "     not installed on this machine: that needs root and apt-get"
  exit $fail
fi
if installed; then
  echo "     not installed on this machine: a quarlo package is installed already"
  exit $fail
fi
for tool in Xvfb xwininfo xprop import convert xdg-open xdg-mime mimetype; do
  command -v "$tool" >/dev/null || { echo "FAIL $tool is not installed (scripts/deps.sh installs it)"; exit 1; }
done

source "$(dirname "$0")/../support/xvfb.sh"
opener=""
remove_package() {
  # xdg-open waits for the program it started; both go with their process group.
  if [ -n "$opener" ]; then kill -- "-$opener" 2>/dev/null || true; fi
  if installed; then
    DEBIAN_FRONTEND=noninteractive apt-get remove -y -q -o DPkg::Lock::Timeout=120 quarlo >"$out/remove.log" 2>&1 ||
      { echo "FAIL could not remove the package:"; cat "$out/remove.log"; }
    installed && echo "FAIL the package is still installed" || echo "ok   package removed again"
  fi
}
xvfb_on_exit remove_package

(cd "$out" && DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
  -o DPkg::Lock::Timeout=120 "./$(basename "$deb")" >"$out/install.log" 2>&1) ||
  { echo "FAIL apt-get could not install the package:"; tail -20 "$out/install.log"; exit 1; }
check "installed version" "$(dpkg-query -W -f='${Version}' quarlo)" "$version"
check "installed quarlo --version" "$(/usr/bin/quarlo --version | cut -d' ' -f1)" quarlo

# A fresh user: no choices of their own, the system's MIME and application databases
# (the package's triggers rebuilt them), no desktop environment.
export HOME=$out/home XDG_CONFIG_HOME=$out/home/.config XDG_DATA_HOME=$out/home/.local/share
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION XDG_DATA_DIRS XDG_CONFIG_DIRS
sample=/usr/share/quarlo/samples/sample.fp3
check "sample installed" "$(test -s "$sample" && echo present)" present
# The print server's filter as the spooler runs it (report on standard input), and the
# thumbnailer's line as a file manager runs it.
want_pages=$(/usr/bin/quarlo-cli info "$sample" 2>/dev/null | sed -n 's/.*"pageCount": \([0-9]*\).*/\1/p' | head -1)
/usr/lib/cups/filter/fp3topdf 1 user report 1 '' <"$sample" >"$out/filter.pdf" 2>"$out/filter.log" || true
check "installed filter converts the sample" \
  "$(pdfinfo "$out/filter.pdf" 2>/dev/null | awk '/^Pages:/ {print $2}')" "$want_pages"
thumbnailer=$(sed -n 's/^Exec=//p' /usr/share/thumbnailers/quarlo.thumbnailer)
thumbnailer=${thumbnailer//%s/128}
thumbnailer=${thumbnailer//%i/$sample}
thumbnailer=${thumbnailer//%o/$out/thumbnail.png}
env -u QT_QPA_PLATFORM bash -c "$thumbnailer" >/dev/null 2>&1 || true
check "installed thumbnailer writes the first page" "$(identify -format '%wx%h' "$out/thumbnail.png" 2>/dev/null)" 91x128
cp "$sample" "$out/renamed.fp3"
check "xdg-mime type of a .fp3" "$(xdg-mime query filetype "$out/renamed.fp3")" application/x-quarlo-prepared-report
check "xdg-mime default application" "$(xdg-mime query default application/x-quarlo-prepared-report)" quarlo.desktop

xvfb_start 1280x900 "$out"
setsid xdg-open "$sample" >"$out/open.log" 2>&1 &
opener=$!
window=""
for _ in $(seq 200); do
  # The preview window carries the sample's report name ("示例报表 Sample report").
  window=$(xwininfo -root -tree 2>/dev/null | awk '/Sample report": \("quarlo"/ {print $1; exit}')
  [ -n "$window" ] && xwininfo -id "$window" | grep -q 'Map State: IsViewable' && break
  window=""
  sleep 0.1
done
check "xdg-open shows the sample in a preview window" "$([ -n "$window" ] && echo yes || echo no)" yes
if [ -n "$window" ]; then
  pid=$(xprop -id "$window" _NET_WM_PID | sed -n 's/.* = //p')
  check "shown by the installed program" "$(readlink "/proc/$pid/exe" 2>/dev/null)" /usr/bin/quarlo
  sleep 1.5  # let the pages lay out and paint
  import -window root "$out/opened.png"
  info=$(xwininfo -id "$window")
  field() { sed -n "s/^ *$1: *//p" <<<"$info" | head -1; }
  x=$(field 'Absolute upper-left X'); y=$(field 'Absolute upper-left Y')
  w=$(field Width); h=$(field Height)
  # The first page's paper: white over most of a row through the middle of the window.
  white=$(convert "$out/opened.png" -crop "${w}x1+$x+$((y + h / 2))" +repage -fill black +opaque white \
    -format '%[fx:int(mean*w+0.5)]' info:)
  check "a page is shown" "$(( white > 300 ))" 1
  echo "screenshot: $out/opened.png"
fi
exit $fail
