#!/usr/bin/env bash
# The desktop player under Xvfb, one X server per scenario on a display of its own:
#   run_e2e.sh SCENARIO PLAYER MED_TOOL BITMAP_TOOL XWD_TO_PNG
# play         full screen with keys and the pointer; screenshots equal the headless snapshots of
#              the same moments; a second copy gives way; Escape shows the about box; a key ends it
# no_show      no definition: the message box appears, closes with Enter, exit status 1
# terminate    SIGTERM ends the show cleanly with exit status 0 and no about box
# copy         a drag over a rich text selects its first line; Ctrl+C puts it on the clipboard
# demo         the bundled demo (DEMO_DIR, given as a relative folder): its welcome sound reaches
#              the audio device (SDL's disk driver); a program started by a button runs and ends
#              when its page is left
# chooser      started with no presentation: the folder dialog (a zenity stand-in) asks; a folder
#              without info.med gives the message and the dialog again; the next one plays;
#              Cancel ends with status 1
set -euo pipefail
scenario=$1 player=$2 med=$3 bitmaps=$4 xwd_to_png=$5 demo=${6:-}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/e2e_common.sh"

W=320 H=240
[ "$scenario" = demo ] && W=800 H=600
start_xvfb $W $H

show=$work/show
mkdir -p "$show"
"$med" build "$here/fixture/presentation.json" -o "$show/info.med"
"$bitmaps" "$here/fixture/bitmaps.txt" "$show"

# screen_shows NAME [L T W H]: the screen (or that part of it) equals the headless NAME.png.
screen_shows() {
  local name=$1; shift
  xwd -root -silent > "$work/screen.xwd" 2>/dev/null || return 1
  "$xwd_to_png" "$work/screen.xwd" "$work/screen-$name.png" "$@" || return 1
  cmp -s "$work/screen-$name.png" "$work/expected/$name.png"
}

# answer_message_box WHY: waits for the player's message box and presses Enter on it. The box is a
# mapped top-level window of its own caption (the hidden about box is 1 x 1); it stands in the
# middle of the screen, and without a window manager the keyboard follows the pointer.
answer_message_box() {
  find_box() { xwininfo -root -children | grep '"Velmorant 2005"' | grep -v ' 1x1+' >/dev/null; }
  until_true 20 find_box || fail "$1"
  xdotool mousemove $(( W / 2 )) $(( H / 2 ))
  xdotool key Return
}

case $scenario in
  play)
    "$player" --headless -p "$show" --screen ${W}x${H}x24 --script "$here/fixture/headless.txt" \
      --snapshots "$work/expected" 2>"$work/headless.err" || fail "headless run"
    "$player" "$show" --log "$work/log.jsonl" 2>"$work/player.err" &
    player_pid=$!
    pids+=("$player_pid")
    until_true 20 log_has '"event":"page","page":0' || fail "no first page"
    until_true 10 screen_shows start || fail "the first page differs from the headless one"
    xdotool mousemove 60 40
    until_true 10 screen_shows hover || fail "no hover picture under the pointer"
    # A second copy asks the first to come to the front and gives way without a window.
    status=0
    timeout 20 "$player" "$show" 2>"$work/second.err" || status=$?
    [ "$status" = 0 ] || fail "the second copy ended with $status"
    kill -0 "$player_pid" || fail "the first copy ended"
    xdotool key Return
    until_true 10 log_has '"event":"page","page":1' || fail "Enter did not turn the page"
    until_true 10 screen_shows checker || fail "the second page differs from the headless one"
    xdotool key Escape
    until_true 10 log_has '"event":"end"' || fail "Escape did not end the show"
    left=$(( (W - 252) / 2 )) top=$(( (H - 128) / 2 ))
    until_true 10 screen_shows about $left $top 252 128 || fail "no about box"
    xdotool key a
    exits_with 10 "$player_pid" 0
    ;;
  no_show)
    empty=$work/empty
    mkdir -p "$empty"
    "$player" "$empty" --log "$work/log.jsonl" 2>"$work/player.err" &
    player_pid=$!
    pids+=("$player_pid")
    answer_message_box "no message box"
    exits_with 10 "$player_pid" 1
    grep -q '"text":"Nie ma definicji projekcji ...","answer":"ok"' "$work/log.jsonl" ||
      fail "the message was not logged"
    grep -q 'choose a presentation' "$work/player.err" || fail "stderr does not say what to do"
    ;;
  terminate)
    "$player" "$show" --log "$work/log.jsonl" 2>"$work/player.err" &
    player_pid=$!
    pids+=("$player_pid")
    until_true 20 log_has '"event":"page","page":0' || fail "no first page"
    kill -TERM "$player_pid"
    exits_with 10 "$player_pid" 0
    log_has '"event":"end"' || fail "the show did not end through its close"
    ;;
  copy)
    command -v xclip >/dev/null || { echo "missing xclip: run scripts/install-deps.sh"; exit 1; }
    copy_show=$work/copy
    mkdir -p "$copy_show"
    "$med" build "$here/copy_fixture/presentation.json" -o "$copy_show/info.med"
    "$bitmaps" "$here/copy_fixture/bitmaps.txt" "$copy_show"
    cp -r "$here/copy_fixture/files/." "$copy_show/"
    "$player" "$copy_show" --log "$work/log.jsonl" 2>"$work/player.err" &
    player_pid=$!
    pids+=("$player_pid")
    until_true 20 log_has '"event":"page","page":0' || fail "no first page"
    # The text covers the upper half of the screen; its first line is the first 20 pixels.
    sleep 0.5
    xdotool mousemove 3 9 mousedown 1
    xdotool mousemove 100 10 mousemove $(( W - 30 )) 10 mouseup 1
    xdotool key ctrl+c
    # Read once, after the copy: readers polled in a loop made the X server refuse an answer the
    # player sent to one already gone, and Xlib ends a program on that error.
    sleep 1
    clipboard=$(timeout 10 xclip -selection clipboard -o 2>&1) || true
    [ "$clipboard" = "Zaznacz mnie" ] || fail "the clipboard holds '$clipboard'"
    xdotool key Escape
    until_true 10 log_has '"event":"end"' || fail "Escape did not end the show"
    sleep 0.5
    xdotool key a
    exits_with 10 "$player_pid" 0
    ;;
  demo)
    export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$work/audio.raw
    # A relative presentation folder: the program below starts in a folder of its own.
    cd "$(dirname "$demo")"
    "$player" "$(basename "$demo")" --log "$work/log.jsonl" > "$work/player.out" 2>"$work/player.err" &
    player_pid=$!
    pids+=("$player_pid")
    until_true 20 log_has '"event":"page","page":0' || fail "no first page"
    sounded() { [ -s "$work/audio.raw" ] && [ "$(tr -d '\0' < "$work/audio.raw" | head -c 1 | wc -c)" = 1 ]; }
    until_true 10 sounded || fail "the welcome sound did not reach the audio device"
    for page in 1 2 3 4; do
      xdotool key Return
      until_true 10 log_has "\"event\":\"page\",\"page\":$page" || fail "no page $page"
    done
    # The third button of the centred row at 62 % of the height starts the program.
    xdotool mousemove $(( W / 2 + 30 )) $(( H * 62 / 100 + 20 )) click 1
    until_true 10 log_has '"event":"launch".*"ok":true' || fail "the program was not started"
    until_true 10 grep -q "Program z pokazu" "$work/player.out" || fail "the program did not run"
    program=$(pgrep -f -n "^sleep 600") || fail "no running program"
    xdotool key Return
    until_true 10 log_has '"event":"terminate"' || fail "leaving the page did not end the program"
    until_true 10 bash -c "! kill -0 $program 2>/dev/null" || fail "the program still runs"
    xdotool key Escape
    until_true 10 log_has '"event":"end"' || fail "Escape did not end the show"
    sleep 0.5
    xdotool key a
    exits_with 10 "$player_pid" 0
    ;;
  chooser)
    # No session bus, so no portal: the dialog is zenity's, and zenity is this stand-in.
    unset DBUS_SESSION_BUS_ADDRESS
    export XDG_RUNTIME_DIR=$work/runtime
    mkdir -p "$work/bin" "$work/empty" "$XDG_RUNTIME_DIR"
    cat > "$work/bin/zenity" <<STUB
#!/bin/sh
echo "\$*" >> "$work/zenity.calls"
case \$(wc -l < "$work/zenity.calls") in
  1) echo "$work/empty" ;;
  2) echo "$show" ;;
  *) exit 1 ;;
esac
STUB
    chmod +x "$work/bin/zenity"
    export PATH=$work/bin:$PATH
    "$player" --log "$work/log.jsonl" 2>"$work/player.err" &
    player_pid=$!
    pids+=("$player_pid")
    answer_message_box "no message for the folder without info.med"
    until_true 20 log_has '"event":"page","page":0' || fail "the second folder chosen did not play"
    grep -q -- '--file-selection --directory --title=' "$work/zenity.calls" ||
      fail "zenity was not asked for a folder: $(cat "$work/zenity.calls")"
    kill -TERM "$player_pid"
    exits_with 10 "$player_pid" 0
    # The stand-in cancels from now on: no message, status 1.
    : > "$work/log.jsonl"
    status=0
    timeout 20 "$player" --log "$work/log.jsonl" 2>"$work/cancel.err" || status=$?
    [ "$status" = 1 ] || fail "Cancel ended with status $status"
    log_has '"event":"message"' && fail "Cancel showed a message"
    ;;
  *)
    echo "unknown scenario $scenario"; exit 2 ;;
esac
echo "$scenario passed"
