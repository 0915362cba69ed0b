#!/usr/bin/env bash
# Figures of the web player against the native one on this machine (a benchmark, not a test):
#   run_web_bench.sh WEB_PLAYER_DIR NATIVE_BUILD_DIR [PAGE_CHANGES]
# Prints the compressed sizes of velmorant.wasm and velmorant.js, the time from navigation to the
# first page composed, full-HD page changes in the page and natively, and the tab's peak memory.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tests=$here/../../tests/web
if [ $# -lt 2 ]; then
  sed -n '2,5s/^# \{0,1\}//p' "$0"
  exit 2
fi
player=$1 native=$2 changes=${3:-60}
[ -f "$player/velmorant.wasm" ] || { echo "no web player in $player: run make web first" >&2; exit 1; }
[ -x "$native/src/velmorant" ] || { echo "no native player in $native/src: build velmorant first" >&2; exit 1; }
"$tests/install.sh"
exec node "$here/web_bench.mjs" "$player" "$native" "$changes"
