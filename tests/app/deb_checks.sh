# What a distribution asks of the package, for deb_package.sh (sourced; uses $deb,
# $out and the check/fail helpers there): the licence and changelog files, the manual
# pages, stripped programs, the AppStream metadata, a font package for every face the
# aliases name, and lintian without errors.
contents_dir=$out/contents
rm -rf "$contents_dir" && dpkg-deb -x "$deb" "$contents_dir"

# The fonts: each face the aliases prefer, looked up with the aliases' own font folders,
# comes from a package the .deb depends on.
aliases=$contents_dir/usr/share/quarlo/fonts/60-quarlo-aliases.conf
printf '<?xml version="1.0"?>\n<fontconfig><include>/etc/fonts/fonts.conf</include><include>%s</include></fontconfig>\n' \
  "$aliases" >"$out/fonts.conf"
faces=$(grep -o '<prefer>.*</prefer>' "$aliases" | grep -o '<family>[^<]*</family>' | sed 's/<[^>]*>//g' | sort -u)
while IFS= read -r face; do
  file=$(FONTCONFIG_FILE=$out/fonts.conf fc-list ":family=$face" file | head -1 | sed 's/: *$//')
  package=$([ -n "$file" ] && dpkg -S "$(readlink -f "$file")" 2>/dev/null | head -1 | cut -d: -f1)
  if [ -z "$package" ]; then echo "FAIL no installed package has the face '$face' (scripts/deps.sh installs them)"; fail=1
  elif grep -qE "(^|, )$package( |,|$)" <<<"$depends"; then echo "ok   depends on $package for '$face'"
  else echo "FAIL does not depend on $package, which has the face '$face'"; fail=1; fi
done <<<"$faces"

for path in /usr/share/doc/quarlo/copyright /usr/share/doc/quarlo/changelog.gz \
            /usr/share/man/man1/quarlo.1.gz /usr/share/man/man1/quarlo-cli.1.gz \
            /usr/share/metainfo/org.quarlo.quarlo.metainfo.xml \
            /usr/share/icons/hicolor/scalable/mimetypes/application-x-quarlo-prepared-report.svg \
            /usr/share/icons/hicolor/48x48/mimetypes/application-x-quarlo-prepared-report.png; do
  if [ -s "$contents_dir$path" ]; then echo "ok   carries $path"; else echo "FAIL does not carry $path"; fail=1; fi
done
check "copyright names the programs' licence" \
  "$(grep -c '^License: GPL-2.0-only' "$contents_dir/usr/share/doc/quarlo/copyright")" 1
check "changelog names this version" \
  "$(zcat "$contents_dir/usr/share/doc/quarlo/changelog.gz" | head -1 | grep -o '([^)]*)')" "($version)"

for program in quarlo quarlo-cli; do
  binary=$contents_dir/usr/bin/$program
  check "$program is stripped" "$(readelf -S "$binary" | grep -cE '\.(symtab|debug_info)')" 0
done

for page in quarlo quarlo-cli; do
  manual=$contents_dir/usr/share/man/man1/$page.1.gz
  warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' man --warnings -E UTF-8 -l "$manual" 2>&1 >/dev/null || echo "man failed")
  check "manual page $page(1) formats without warnings" "$warnings" ""
done
# Generated from the help: every verb and every option spelling is there.
manual=$(MANWIDTH=200 man -l "$contents_dir/usr/share/man/man1/quarlo-cli.1.gz" 2>/dev/null)
cli=$contents_dir/usr/bin/quarlo-cli
for verb in $(QT_QPA_PLATFORM=offscreen "$cli" --help | awk '/^verbs:/ {on = 1; next} on && /^  [a-z]/ {print $1}'); do
  for option in $(QT_QPA_PLATFORM=offscreen "$cli" "$verb" --help | awk '/^options:/ {on = 1; next} on && /^  -/ {print}' |
                  grep -oE -- '(^|[ ,])--?[a-z][a-z-]*' | tr -d ' ,'); do
    grep -qF -- "$option" <<<"$(sed -n "/^   $verb /,/^   [a-z]/p" <<<"$manual")" ||
      { echo "FAIL quarlo-cli(1) lacks $option of $verb"; fail=1; }
  done
done
echo "ok   quarlo-cli(1) has every verb's options"
# Written by hand: checked against the viewer's own help.
viewer_manual=$(MANWIDTH=200 man -l "$contents_dir/usr/share/man/man1/quarlo.1.gz" 2>/dev/null)
for option in $("$contents_dir/usr/bin/quarlo" --help | grep -oE -- '(^|[ ,])--?[a-z][a-z-]*' | tr -d ' ,'); do
  grep -qF -- "$option" <<<"$viewer_manual" || { echo "FAIL quarlo(1) lacks $option of quarlo --help"; fail=1; }
done
echo "ok   quarlo(1) has every option of quarlo --help"

if command -v appstreamcli >/dev/null; then
  check "AppStream metadata validates" \
    "$(appstreamcli validate --no-net "$contents_dir/usr/share/metainfo/org.quarlo.quarlo.metainfo.xml" >"$out/appstream.log" 2>&1 && echo valid)" valid
else
  echo "FAIL appstreamcli is not installed (scripts/deps.sh installs it)"; fail=1
fi
if command -v lintian >/dev/null; then
  lintian --tag-display-limit 0 "$deb" >"$out/lintian.log" 2>&1 || true
  check "lintian errors" "$(grep -c '^E:' "$out/lintian.log")" 0
  grep '^[EW]:' "$out/lintian.log" | sed 's/^/     lintian: /' || true
else
  echo "FAIL lintian is not installed (scripts/deps.sh installs it)"; fail=1
fi
