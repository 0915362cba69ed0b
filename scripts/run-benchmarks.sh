#!/usr/bin/env bash
# Runs every benchmark program of a build tree; the desktop's under an Xvfb of 1920 x 1080, the
# scaled screen's under one of 3840 x 2160.
set -euo pipefail
build=${1:-build/bench}
root=$(cd "$(dirname "$0")/.." && pwd)
shopt -s nullglob
for b in "$build"/bench/bench_*; do
  echo "== $(basename "$b")"
  if [ "$(basename "$b")" = bench_desktop ]; then
    xvfb-run -a -s "-screen 0 1920x1080x24 -nolisten tcp" "$b" --benchmark_min_time=0.2
  elif [ "$(basename "$b")" = bench_scale ]; then
    xvfb-run -a -s "-screen 0 3840x2160x24 -nolisten tcp" "$b" --benchmark_min_time=0.2
  else
    "$b" --benchmark_min_time=0.2
  fi
done
echo "== idle desktop"
"$root/bench/idle_cpu.sh" "$build/src/velmorant" "$build/tools/velmorant-med"
