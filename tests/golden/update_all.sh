#!/usr/bin/env bash
# Rewrites the expectations of every golden case from the current player. Look at the result.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
for case_dir in "$here"/cases/*/; do
  "$here/run_golden.sh" "${case_dir%/}" "$@" --update
done
