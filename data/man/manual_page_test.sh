#!/bin/sh
# A manual page must not drift from its program: every option and every
# subcommand that `PROGRAM --help` lists has to appear in PAGE.
# Usage: manual_page_test.sh PROGRAM PAGE
program=$1
page=$2
help=$("$program" --help 2>&1) || { echo "FAIL: $program --help exited $?"; exit 1; }
# The page's source with roff's escaped hyphens made plain.
text=$(sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' "$page")
options=$(printf '%s\n' "$help" | grep -o -- '--[a-z][a-z0-9-]*' | sort -u)
subcommands=$(printf '%s\n' "$help" | sed -n 's/^  \([a-z][a-z-]*\)\( .*\)\{0,1\}$/\1/p' | sort -u)
missing=
for word in $options $subcommands; do
  printf '%s\n' "$text" | grep -qE -- "(^|[^a-z-])$word([^a-z-]|\$)" || missing="$missing $word"
done
if [ -n "$missing" ]; then
  echo "FAIL: $(basename "$page") does not document:$missing"
  exit 1
fi
echo "ok: $(basename "$page") documents $(echo $options $subcommands | wc -w) options and subcommands of $(basename "$program")"
