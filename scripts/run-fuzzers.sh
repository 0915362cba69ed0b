#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of seconds, starting
# from its committed seeds. Any crash, leak, timeout or out-of-memory fails the run.
set -euo pipefail
seconds=${1:-10}
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/fuzz
cmake -S "$root" -B "$build" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_FLAGS="-O1 -g" -DVELMORANT_FUZZ_ONLY=ON \
  -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build "$build" -j"$(nproc)"
shopt -s nullglob
targets=("$build"/tests/fuzz/fuzz_*)
if [ ${#targets[@]} -eq 0 ]; then
  echo "no fuzz targets"
  exit 0
fi
for target in "${targets[@]}"; do
  name=$(basename "$target")
  corpus=$(mktemp -d)
  seeds=$root/tests/fuzz/seeds/${name#fuzz_}
  [ -d "$seeds" ] && cp -r "$seeds"/. "$corpus"/
  echo "== $name for ${seconds}s"
  (cd "$build" && "$target" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 \
     -max_len=65536 -print_final_stats=1 "$corpus" 2>&1 | tail -n 5)
  rm -rf "$corpus"
done
