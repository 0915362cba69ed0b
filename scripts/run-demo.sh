#!/usr/bin/env bash
# Plays the bundled demo from a build tree: headless, along examples/demo/tour.txt, writing a
# snapshot at each step to BUILD/../demo-run and the event log to standard output.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/release}
out=$(dirname "$build")/demo-run
mkdir -p "$out"
"$build/src/velmorant" --headless -p "$build/examples/demo" --screen 800x600x32 \
  --script "$root/examples/demo/tour.txt" --snapshots "$out" --log -
echo "The demo's snapshots are in $out" >&2
