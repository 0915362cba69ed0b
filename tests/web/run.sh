#!/usr/bin/env bash
# The browser tests of the web player, in Debian's chromium:
#   run.sh WEB_PLAYER_DIR NATIVE_BUILD_DIR [--only golden|realtime|picker|demo|sound|shell|media]...
#     [--case NAME]...
# WEB_PLAYER_DIR is what `make web` writes (build/web); NATIVE_BUILD_DIR a native build with
# velmorant-med, make_fixture_bitmaps, compare_snapshots and the demo. Exit status 1 on any failure
# or when either is missing; failures are kept under $VELMORANT_WEB_FAILURES
# (default /tmp/velmorant-web-failures).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

if [ $# -lt 2 ] || [ "$1" = --help ] || [ "$1" = -h ]; then
  sed -n '2,8s/^# \{0,1\}//p' "$0"
  [ $# -ge 2 ] && exit 0 || exit 2
fi
player=$1 native=$2
shift 2

if [ ! -f "$player/index.html" ] || [ ! -f "$player/velmorant.wasm" ]; then
  echo "no web player in $player (index.html or velmorant.wasm missing): run make web first" >&2
  exit 1
fi
for tool in tools/velmorant-med tests/golden/make_fixture_bitmaps tests/golden/compare_snapshots; do
  if [ ! -x "$native/$tool" ]; then
    echo "no native build in $native ($tool missing): build velmorant-med make_fixture_bitmaps compare_snapshots demo_definition" >&2
    exit 1
  fi
done
chromium=${VELMORANT_CHROMIUM:-/usr/bin/chromium}
if [ ! -x "$chromium" ]; then
  echo "no chromium at $chromium: apt-get install chromium" >&2
  exit 1
fi
"$here/install.sh"
exec node "$here/run.mjs" "$player" "$native" "$@"
