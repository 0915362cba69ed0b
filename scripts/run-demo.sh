#!/usr/bin/env bash
# Plays the bundled demo from a build tree (until the player shows pages, prints its definition).
set -euo pipefail
build=${1:-build/release}
demo=$build/examples/demo
if [ -x "$build/velmorant" ] && [ -f "$demo/info.med" ]; then
  exec "$build/tools/velmorant-med" dump "$demo/info.med"
fi
echo "the demo is not built" >&2
exit 1
