#!/usr/bin/env bash
# Writes the manual page quarlo-cli(1) from the program's own help texts, so the two
# always agree: "quarlo-cli --help" gives the verb list, the shared rules and the exit
# statuses, "quarlo-cli VERB --help" each verb's usage, summary, options and details.
#   usage: cli_man.sh QUARLO_CLI VERSION OUT.1
set -euo pipefail
cli=$1
version=$2
out=$3
export QT_QPA_PLATFORM=offscreen

# Plain text as roff: backslashes and minus signs escaped, no line read as a request.
roff() { sed -e 's/\\/\\e/g' -e 's/-/\\-/g' -e "s/^\\([.']\\)/\\\\\\&\\1/"; }

# One verb's help as a subsection: the usage line as its title, the options as tagged
# paragraphs, lines indented in the help kept as they are.
verb_section() {
  awk '
    NR == 1 { sub(/^usage: quarlo-cli /, ""); print ".SS"; print; next }
    /^options:$/ { part = "options"; next }
    /^$/ { if (part == "options") part = "details"; print ".PP"; next }
    part == "options" {
      line = substr($0, 3)
      gap = match(line, /   */)
      print ".TP"; print substr(line, 1, gap - 1); print substr(line, gap + RLENGTH); next
    }
    /^  / { print ".nf"; print; print ".fi"; next }
    { print }' | roff | sed -e 's/^\\&\.\(SS\|TP\|PP\|nf\|fi\)$/.\1/'
}

help=$("$cli" --help)
verbs=$(awk '/^verbs:/ {on = 1; next} on && /^  [a-z]/ {print $1} on && /^$/ {exit}' <<<"$help")

{
  echo ".TH QUARLO\\-CLI 1 \"December 2026\" \"quarlo $version\" \"User Commands\""
  echo ".SH NAME"
  echo "quarlo\\-cli \\- describe, render, search, print and convert prepared reports"
  echo ".SH SYNOPSIS"
  echo ".B quarlo\\-cli"
  echo ".I VERB"
  echo ".RI [ ARGUMENTS ]"
  echo ".br"
  echo ".B quarlo\\-cli"
  echo ".BR \\-\\-help \" | \" \\-\\-version"
  echo ".SH DESCRIPTION"
  echo "The command\\-line companion of"
  echo ".BR quarlo (1)"
  echo "for scripts and servers; it needs no display."
  echo "Standard output carries the data asked for and the names of the files written;"
  echo "standard error carries the problems and is silent on success."
  echo ".PP"
  # The shared rules: the lines after the verb list, up to the exit statuses.
  awk '/^verbs:/ {on = 1} on && /^$/ {rules = 1; next} /^Exit status:/ {exit} rules' <<<"$help" | roff
  echo ".SH VERBS"
  for verb in $verbs; do "$cli" "$verb" --help | verb_section; done
  echo ".SH EXIT STATUS"
  awk '/^Exit status:/ {on = 1} on' <<<"$help" | roff
  echo ".SH SEE ALSO"
  echo ".BR quarlo (1)"
} >"$out"
