#!/usr/bin/env bash
# Proves the browser build's libraries work: builds (or reuses) the prefix, links a small program
# against it with emcc and runs that under node; checks the prefix is complete and reused.
set -euo pipefail

case "${1:-}" in
  -h | --help)
    echo "Usage: scripts/check-web-libs.sh"
    echo "Builds or reuses the prefix of scripts/build-web-libs.sh and checks its libraries work."
    exit 0 ;;
  "") ;;
  *) echo "check-web-libs.sh: unknown argument '$1' (try --help)" >&2; exit 2 ;;
esac

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$("$here/scripts/build-web-libs.sh" | tail -n 1)
[ -f "$prefix/.complete" ] || fail "build-web-libs.sh printed '$prefix', which is no finished prefix"

# A second run reuses the prefix.
again=$("$here/scripts/build-web-libs.sh" 2>&1 | tail -n 1)
[ "$again" = "$prefix" ] || fail "a second run gave '$again', not '$prefix'"

for name in zlib libpng1.6 freetype libjpeg-turbo nlohmann-json3; do
  [ -s "$prefix/licences/$name/copyright" ] || fail "no licence for $name"
done
# Nothing may point into the folder the prefix was staged in.
if grep -rlIF "/.build-" "$prefix" >&2; then fail "files above name the staging folder"; fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export NODE_PATH=/usr/share/nodejs
export PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig"
read -ra flags <<<"$(pkg-config --cflags --libs --static libpng16 freetype2 libjpeg zlib)"
font=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
[ -f "$font" ] || fail "$font is missing; run scripts/install-deps.sh --web"

emcc -O2 "$here/tests/build/web/libs_work.c" "${flags[@]}" --embed-file "$font@/font.ttf" \
  -o "$work/libs_work.js"
node --no-experimental-fetch "$work/libs_work.js"

echo '#include <nlohmann/json.hpp>
int main() { return nlohmann::json::parse("[1,2]").size() == 2 ? 0 : 1; }' >"$work/json.cpp"
read -ra json_flags <<<"$(pkg-config --cflags nlohmann_json)"
em++ -std=c++20 -O1 "${json_flags[@]}" "$work/json.cpp" -o "$work/json.js"
node --no-experimental-fetch "$work/json.js" || fail "nlohmann-json from the prefix"
echo "ok: $prefix"
