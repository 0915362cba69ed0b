#!/usr/bin/env bash
# The desktop player's CPU use on a page where nothing moves: CPU time over 10 s under Xvfb.
#   idle_cpu.sh PLAYER MED_TOOL
set -euo pipefail
player=$1 med=$2
work=$(mktemp -d)
pids=()
cleanup() {
  local i
  for (( i=${#pids[@]}-1; i>=0; i-- )); do
    kill "${pids[i]}" 2>/dev/null || true
    wait "${pids[i]}" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -n1 "$work/display")
mkdir -p "$work/show"
cat > "$work/show.json" <<'JSON'
{"edition": "g", "TMedia": [{"Screen": 0}], "TEkrany": [{"Name": "still", "Keys": [2]}]}
JSON
"$med" build "$work/show.json" -o "$work/show/info.med"
"$player" "$work/show" --log "$work/log" &
pid=$!
pids+=("$pid")
for _ in $(seq 100); do grep -q '"event":"page"' "$work/log" 2>/dev/null && break; sleep 0.1; done
sleep 2
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
before=$(ticks)
sleep 10
after=$(ticks)
hz=$(getconf CLK_TCK)
echo "idle page: $(( after - before )) ticks of $hz a second in 10 s ($(awk -v t=$(( after - before )) -v hz="$hz" 'BEGIN { printf "%.2f", 100 * t / hz / 10 }')% of a core)"
