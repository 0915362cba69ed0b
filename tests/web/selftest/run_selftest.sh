#!/usr/bin/env bash
# The harness's own tests, against a stand-in player: run_selftest.sh NATIVE_BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[ $# -eq 1 ] || { echo "usage: run_selftest.sh NATIVE_BUILD_DIR" >&2; exit 2; }
"$here/../install.sh"
VELMORANT_NATIVE_BUILD=$(cd "$1" && pwd) exec node --test "$here/units.test.mjs" "$here/harness.test.mjs"
