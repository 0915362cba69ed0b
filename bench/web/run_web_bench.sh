#!/usr/bin/env bash
# Figures of the web player against the native one on this machine (a benchmark, not a test):
#   run_web_bench.sh WEB_PLAYER_DIR NATIVE_BUILD_DIR [PAGE_CHANGES]
# Prints the compressed sizes of velmorant.wasm and velmorant.js, the time from navigation to the
# first page composed, full-HD page changes in the page and natively, the tab's peak memory, and a
# 720p MPEG-4 film decoded and drawn as a share of one core in the page and natively (its module is
# built in the web build's folder, $WEB_BUILD_DIR, default build/web-build).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tests=$here/../../tests/web
if [ $# -lt 2 ]; then
  sed -n '2,7s/^# \{0,1\}//p' "$0"
  exit 2
fi
player=$1 native=$2 changes=${3:-60}
[ -f "$player/velmorant.wasm" ] || { echo "no web player in $player: run make web first" >&2; exit 1; }
[ -x "$native/src/velmorant" ] || { echo "no native player in $native/src: build velmorant first" >&2; exit 1; }
"$tests/install.sh"
film_bench=""
web_build=${WEB_BUILD_DIR:-$here/../../build/web-build}
if [ -f "$web_build/CMakeCache.txt" ] && [ -x "$native/bench/bench_media" ]; then
  # Configured again first: a target added since the last configure is otherwise unknown to make.
  NODE_PATH=/usr/share/nodejs cmake "$web_build" >/dev/null
  NODE_PATH=/usr/share/nodejs cmake --build "$web_build" --target velmorant-film-bench -j"$(nproc)" >&2
  film_bench=$web_build/bench
else
  echo "no web build in $web_build or no bench_media in $native/bench: the film figure is skipped" >&2
fi
exec node "$here/web_bench.mjs" "$player" "$native" "$changes" $film_bench
