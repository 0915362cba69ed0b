# Shared by the e2e scripts (sourced): a work folder, one Xvfb of a given size on a display of
# its own, processes ended in order, and polling helpers.
for tool in Xvfb xdotool xwd xwininfo; do
  command -v "$tool" >/dev/null || { echo "missing $tool: run scripts/install-deps.sh"; exit 1; }
done
work=$(mktemp -d)
pids=()
cleanup() {
  # Players first, then their X server; nothing may outlive the test.
  local i
  for (( i=${#pids[@]}-1; i>=0; i-- )); do
    kill "${pids[i]}" 2>/dev/null || continue
    for _ in $(seq 50); do kill -0 "${pids[i]}" 2>/dev/null || break; sleep 0.1; done
    kill -9 "${pids[i]}" 2>/dev/null || true
  done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
# The desktop's system libraries (session bus, GL) keep allocations until the process ends, some
# in modules already unloaded; leaks of the player's own code are the unit tests' business.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

# start_xvfb W H: an X server of that screen, then DISPLAY names it.
start_xvfb() {
  Xvfb -displayfd 3 -screen 0 "$1x$2x24" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  pids+=($!)
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  export DISPLAY=:$(head -n1 "$work/display")
  echo "Xvfb $1x$2 on $DISPLAY"
}

fail() { echo "FAIL: $*"; [ -f "$work/log.jsonl" ] && cat "$work/log.jsonl"; cat "$work"/*.err 2>/dev/null; exit 1; }

# until_true SECONDS COMMAND...: polls until the command succeeds.
until_true() {
  local tries=$(( $1 * 10 )); shift
  for _ in $(seq "$tries"); do "$@" && return 0; sleep 0.1; done
  return 1
}

log_has() { grep -q "$1" "$work/log.jsonl" 2>/dev/null; }

# exits_with SECONDS PID STATUS
exits_with() {
  local seconds=$1 pid=$2 expected=$3
  until_true "$seconds" bash -c "! kill -0 $pid 2>/dev/null" || fail "process $pid still runs"
  local status=0
  wait "$pid" || status=$?
  [ "$status" = "$expected" ] || fail "exit status $status, expected $expected"
}
