#!/usr/bin/env bash
# Rewrites the expectations of every golden case from the current player. Look at the result.
# A case the update refuses stays as it was; the others are still updated.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
refused=0
for case_dir in "$here"/cases/*/; do
  "$here/run_golden.sh" "${case_dir%/}" "$@" --update || refused=1
done
exit $refused
