#!/usr/bin/env bash
# Checks what a golden run printed: for every NAME.words in EXPECTED_DIR the run wrote NAME.pdf
# into PRINTED_DIR, and the PDF's text (read back with pdftotext) holds every word listed, one a
# line. PDFs nobody expects fail too.
#   check_printed.sh EXPECTED_DIR PRINTED_DIR
set -uo pipefail
expected=$1 printed=$2
command -v pdftotext > /dev/null || { echo "pdftotext (poppler-utils) is missing"; exit 1; }
fail=0
for words in "$expected"/*.words; do
  [ -e "$words" ] || continue
  name=$(basename "$words" .words)
  pdf=$printed/$name.pdf
  if [ ! -f "$pdf" ]; then
    echo "printed $name.pdf is missing"; fail=1; continue
  fi
  text=$(pdftotext -enc UTF-8 "$pdf" - 2>&1)
  while IFS= read -r word; do
    [ -n "$word" ] || continue
    grep -qF -- "$word" <<< "$text" || { echo "$name.pdf lacks \"$word\""; fail=1; }
  done < "$words"
done
for pdf in "$printed"/*.pdf; do
  [ -e "$pdf" ] || continue
  [ -e "$expected/$(basename "$pdf" .pdf).words" ] || { echo "unexpected print $(basename "$pdf")"; fail=1; }
done
exit $fail
