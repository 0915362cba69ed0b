#!/usr/bin/env bash
# Runs every benchmark program of a build tree.
set -euo pipefail
build=${1:-build/bench}
shopt -s nullglob
for b in "$build"/bench/bench_*; do
  echo "== $(basename "$b")"
  "$b" --benchmark_min_time=0.2
done
