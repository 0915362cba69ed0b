#!/bin/bash
# Takes the README's pictures of the demo from a real window: the desktop player on an 800x600
# Xvfb, the pointer on the start button, then Enter for the second page.
#   scripts/take-screenshot.sh BUILD_DIR   (a build with the tests, e.g. build/dev)
set -euo pipefail
build=${1:?usage: take-screenshot.sh BUILD_DIR}
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 800x600x24 -nolisten tcp > /dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2> /dev/null; rm -rf "$work"' EXIT
sleep 1
export DISPLAY=$display SDL_AUDIODRIVER=dummy
"$build/src/velmorant" "$build/examples/demo" --no-launch &
player=$!
shoot() {
  xwd -root -silent > "$work/screen.xwd"
  "$build/tests/e2e/xwd_to_png" "$work/screen.xwd" "$root/docs/$1"
}
sleep 2.5
xdotool mousemove 400 392
sleep 2
shoot screenshot.png
xdotool key Return
sleep 2
shoot screenshot-images.png
kill "$player"
wait "$player" || true
