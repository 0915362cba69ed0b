#!/usr/bin/env bash
# Runs one fixture presentation headless and compares its snapshots (by their pixels, with
# COMPARE_TOOL) and event log with the committed expectations. With --update it writes the
# expectations instead, unless the run ended with another exit status than the case's.
#   run_golden.sh CASE_DIR PLAYER MED_TOOL BITMAP_TOOL COMPARE_TOOL [--update]
# A case folder holds presentation.json, script.txt, optionally bitmaps.txt (see
# make_fixture_bitmaps), files/ (assets copied as they are), args (extra player arguments),
# status (the expected exit status, default 0; --update writes it for a new case) and expected/
# (log.jsonl and NAME.png files, and print/NAME.words for the documents the run prints: see
# check_printed.sh).
set -euo pipefail
case_dir=$1 player=$2 med=$3 bitmaps=$4 compare=$5 mode=${6:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
show=$work/show
mkdir -p "$show" "$work/snapshots"

"$med" build "$case_dir/presentation.json" -o "$show/info.med"
[ -f "$case_dir/bitmaps.txt" ] && "$bitmaps" "$case_dir/bitmaps.txt" "$show"
[ -d "$case_dir/files" ] && cp -r "$case_dir/files/." "$show/"
args=()
[ -f "$case_dir/args" ] && read -r -a args < "$case_dir/args"
[ -d "$case_dir/expected/print" ] && args+=(--print-to "$work/print")

set +e
"$player" --headless -p "$show" --script "$case_dir/script.txt" --snapshots "$work/snapshots" \
  --log "$work/log.jsonl" "${args[@]}" 2> "$work/stderr"
status=$?
set -e
# Command lines carry the presentation's absolute folder, natively and in wine's Z: form (as JSON
# writes it): a fixed token keeps the logs comparable from run to run.
[ -f "$work/log.jsonl" ] && SHOW=$show perl -pi -e 'BEGIN { $w = "Z:" . ($ENV{SHOW} =~ s{/}{\\\\}gr) }
  s/\Q$w\E/Z:<show>/g; s/\Q$ENV{SHOW}\E/<show>/g' "$work/log.jsonl"
expected_status=0
[ -f "$case_dir/status" ] && expected_status=$(cat "$case_dir/status")

if [ "$mode" = "--update" ]; then
  # A crash or a refused definition is not a new expectation: only a new case takes any status.
  if [ -f "$case_dir/status" ] && [ "$status" != "$expected_status" ]; then
    echo "not updating $case_dir: exit status $status, expected $expected_status"
    cat "$work/stderr"
    exit 1
  fi
  mkdir -p "$case_dir/expected"
  cp "$work/log.jsonl" "$case_dir/expected/log.jsonl"
  for png in "$case_dir/expected/"*.png; do
    [ -e "$png" ] || continue
    [ -e "$work/snapshots/$(basename "$png")" ] || rm "$png"
  done
  # A snapshot that shows the same picture keeps its committed bytes.
  for png in "$work/snapshots/"*.png; do
    [ -e "$png" ] || continue
    old=$case_dir/expected/$(basename "$png")
    if [ ! -e "$old" ] || ! "$compare" "$old" "$png" > /dev/null 2>&1; then cp "$png" "$old"; fi
  done
  [ -f "$case_dir/status" ] || echo "$status" > "$case_dir/status"
  echo "updated $case_dir (exit status $status)"
  exit 0
fi

fail=0
if [ "$status" != "$expected_status" ]; then
  echo "exit status $status, expected $expected_status"; cat "$work/stderr"; fail=1
fi
if ! diff -u "$case_dir/expected/log.jsonl" "$work/log.jsonl"; then
  echo "event log differs"; fail=1
fi
if [ -d "$case_dir/expected/print" ]; then
  "$(dirname "$0")/check_printed.sh" "$case_dir/expected/print" "$work/print" || fail=1
fi
for png in "$case_dir/expected/"*.png; do
  [ -e "$png" ] || continue
  name=$(basename "$png")
  if [ ! -e "$work/snapshots/$name" ]; then
    echo "snapshot $name was not written"; fail=1
  elif ! "$compare" "$png" "$work/snapshots/$name"; then
    echo "snapshot $name differs"; fail=1
    mkdir -p "${GOLDEN_FAILURES:-/tmp/golden-failures}"
    cp "$work/snapshots/$name" "${GOLDEN_FAILURES:-/tmp/golden-failures}/$(basename "$case_dir")-$name" 2>/dev/null || true
  fi
done
for png in "$work/snapshots/"*.png; do
  [ -e "$png" ] || continue
  [ -e "$case_dir/expected/$(basename "$png")" ] || { echo "unexpected snapshot $(basename "$png")"; fail=1; }
done
exit $fail
