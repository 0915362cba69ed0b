#!/usr/bin/env bash
# Checks run_golden.sh on a scratch copy of the navigation case: snapshots are compared by their
# pictures, and --update refuses a run with another exit status than the case's, records the
# status of a new case, keeps the bytes of a snapshot showing the same picture, replaces a changed
# one and removes one no longer written.
#   check_update.sh NAVIGATION_CASE_DIR PLAYER MED_TOOL BITMAP_TOOL COMPARE_TOOL
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
original=$1
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export GOLDEN_FAILURES=$work/failures
case_dir=$work/case
cp -r "$original" "$case_dir"
golden() { "$here/run_golden.sh" "$case_dir" "$@" > "$work/out" 2>&1; }
fail() { echo "$1"; cat "$work/out"; exit 1; }

# p2 in other bytes (libpng ignores what follows the image end), p0 showing another picture.
printf 'trailing bytes' >> "$case_dir/expected/p2.png"
cp "$original/expected/p2.png" "$case_dir/expected/p0.png"
golden "$@" && fail "a changed snapshot passed"
grep -q "snapshot p0.png differs" "$work/out" || fail "p0.png not reported"
grep -q "p2.png" "$work/out" && fail "p2.png reported although its picture is the same"

echo 3 > "$case_dir/status"
cp -r "$case_dir" "$work/before"
golden "$@" --update && fail "an update with exit status 0 was recorded for a case expecting 3"
diff -r "$work/before" "$case_dir" || fail "a refused update changed the case"

rm "$case_dir/status"
cp "$original/expected/p1.png" "$case_dir/expected/gone.png"
golden "$@" --update || fail "the update of a new case failed"
[ "$(cat "$case_dir/status")" = 0 ] || fail "status not recorded"
cmp -s "$work/before/expected/p2.png" "$case_dir/expected/p2.png" || fail "p2.png rewritten"
cmp -s "$original/expected/p0.png" "$case_dir/expected/p0.png" || fail "p0.png not replaced"
[ ! -e "$case_dir/expected/gone.png" ] || fail "gone.png kept"
golden "$@" || fail "the updated case does not pass"
