#!/usr/bin/env bash
# Plays the bundled demo from a build tree: full screen on the desktop; without a display,
# headless along examples/demo/tour.txt, writing a snapshot at each step to BUILD/../demo-snapshots
# and the event log to standard output.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/release}
player=$build/src/velmorant
demo=$build/examples/demo
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  status=0
  "$player" "$demo" || status=$?
  # 2: the display could not be opened after all; anything else is the player's own answer.
  [ "$status" -ne 2 ] && exit "$status"
fi
out=$(dirname "$build")/demo-snapshots
mkdir -p "$out"
echo "velmorant: no display to play on: playing the demo headless instead" >&2
"$player" --headless -p "$demo" --screen 800x600x32 --script "$root/examples/demo/tour.txt" \
  --snapshots "$out" --log -
echo "The demo's snapshots are in $out" >&2
