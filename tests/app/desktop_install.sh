#!/usr/bin/env bash
# Installs the build into a throw-away prefix and checks what a desktop sees there:
# the menu entry validates, .fp3 files (by name and by content) get our MIME type,
# Quarlo is their default application, every icon size exists at its size, and the
# installed programs run. With a display tool set present, a .fp3 file opened through
# the desktop (gio open) shows its pages in a Quarlo window on a virtual X screen.
#   usage: desktop_install.sh BUILD_DIR SOURCE_DIR OUTPUT_DIR
# Exits 77 (skipped) when the desktop database tools are not installed.
set -euo pipefail
build=$1
source=$2
out=$3
for tool in desktop-file-validate update-mime-database update-desktop-database gio identify; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
rm -rf "$out" && mkdir -p "$out"
prefix=$out/prefix
cmake --install "$build" --prefix "$prefix" >"$out/install.log"
update-mime-database "$prefix/share/mime"
update-desktop-database "$prefix/share/applications"

fail=0
check() { if [ "$2" != "$3" ]; then echo "FAIL $1: got '$2', want '$3'"; fail=1; else echo "ok   $1: $2"; fi; }
export PATH="$prefix/bin:$PATH" XDG_DATA_DIRS="$prefix/share:/usr/share"
export XDG_DATA_HOME="$out/data-home" XDG_CONFIG_HOME="$out/config-home"
mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME"

check "desktop entry" "$(desktop-file-validate "$prefix/share/applications/quarlo.desktop" && echo valid)" valid
type_of() { gio info -a standard::content-type "$1" | sed -n 's/^ *standard::content-type: //p'; }
cp "$source/samples/sample.fp3" "$out/by-name.fp3"
check "type by name" "$(type_of "$out/by-name.fp3")" application/x-quarlo-prepared-report
cp "$source/samples/sample.fp3" "$out/by-content"
check "type by content" "$(type_of "$out/by-content")" application/x-quarlo-prepared-report
printf '<?xml version="1.0"?><other/>' >"$out/plain-xml"
check "other xml is not ours" "$(type_of "$out/plain-xml")" application/xml
check "default application" \
  "$(gio mime application/x-quarlo-prepared-report | sed -n 's/^Default application for .*: //p')" quarlo.desktop
for size in 16 22 24 32 48 64 128 256; do
  png=$prefix/share/icons/hicolor/${size}x${size}/apps/quarlo.png
  check "icon ${size}" "$(identify -format '%wx%h' "$png" 2>/dev/null)" "${size}x${size}"
done
check "scalable icon" "$(test -s "$prefix/share/icons/hicolor/scalable/apps/quarlo.svg" && echo present)" present
check "help pages" "$(test -s "$prefix/share/quarlo/help/quarlo-help.html" && echo present)" present
check "font aliases" "$(test -s "$prefix/share/quarlo/fonts/60-quarlo-aliases.conf" && echo present)" present
for page in quarlo quarlo-cli; do
  check "manual page $page(1)" "$(zcat "$prefix/share/man/man1/$page.1.gz" 2>/dev/null | grep -c '^\.TH')" 1
done
check "AppStream metadata" "$(test -s "$prefix/share/metainfo/org.quarlo.quarlo.metainfo.xml" && echo present)" present
check "quarlo --version" "$(quarlo --version | cut -d' ' -f1)" quarlo
check "quarlo-cli --version" "$(quarlo-cli --version | cut -d' ' -f1)" quarlo-cli
check "installed cli reads the sample" \
  "$(quarlo-cli info "$out/by-name.fp3" >/dev/null && echo ok)" ok

# Opening through the desktop, as a double click in a file manager does.
if command -v Xvfb >/dev/null && command -v xwininfo >/dev/null && command -v import >/dev/null; then
  display=""
  for n in $(seq 120 220); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
  done
  Xvfb "$display" -screen 0 1280x900x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  xvfb=$!
  trap 'pkill -f "$prefix/bin/quarlo" 2>/dev/null || true; kill $xvfb 2>/dev/null || true; wait 2>/dev/null || true' EXIT
  export DISPLAY=$display QT_QPA_PLATFORM=xcb
  for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done
  gio open "$out/by-name.fp3" >"$out/open.log" 2>&1 || true
  shown=""
  for _ in $(seq 150); do
    # the preview window carries the sample's report name ("示例报表 Sample report")
    if xwininfo -root -tree 2>/dev/null | grep -q 'Sample report": ("quarlo"'; then shown=yes; break; fi
    sleep 0.1
  done
  sleep 1
  import -window root "$out/opened.png" || true
  check "opened through the desktop" "${shown:-no}" yes
  echo "screenshot: $out/opened.png"
fi
exit $fail
