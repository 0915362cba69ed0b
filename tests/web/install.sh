#!/usr/bin/env bash
# Installs the pinned playwright-core into node_modules when it is missing or older than the lock
# file (no browser is downloaded: the tests drive Debian's chromium).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
stamp=$here/node_modules/.velmorant-lock
wanted=$(sha256sum "$here/package-lock.json" | cut -d' ' -f1)
if [ ! -f "$stamp" ] || [ "$(cat "$stamp")" != "$wanted" ]; then
  (cd "$here" && npm ci --ignore-scripts --no-audit --no-fund --loglevel=error)
  echo "$wanted" > "$stamp"
fi
