#!/bin/bash
# The bundled demo plays its tour headless without a warning, visits every page in order and ends
# with Escape; every page's snapshot is written.
#   check_demo_tour.sh PLAYER DEMO_DIR TOUR
set -euo pipefail
player=$1 demo=$2 tour=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
"$player" --headless -p "$demo" --screen 800x600x32 --script "$tour" --snapshots "$work" \
  --log "$work/log.jsonl" 2> "$work/stderr" || status=$?
fail() { echo "FAIL: $*"; cat "$work/stderr" "$work/log.jsonl"; exit 1; }
[ "$status" = 0 ] || fail "exit status $status"
[ -s "$work/stderr" ] && fail "the demo warned"
pages=$(grep -o '"event":"page","page":[0-9]*' "$work/log.jsonl" | grep -o '[0-9]*$' | tr '\n' ' ')
[ "$pages" = "0 1 2 3 4 5 6 " ] || fail "pages visited: $pages"
grep -q '"event":"end"' "$work/log.jsonl" || fail "no end"
snapshots=$(grep -c '^snapshot' "$tour")
[ "$(ls "$work"/*.png | wc -l)" = "$snapshots" ] || fail "missing snapshots"
echo "the demo's tour visits every page"
