#!/usr/bin/env bash
# An 800 x 600 centred presentation on a large screen under Xvfb, with the software renderer:
#   run_scale_e2e.sh MODE WxH PLAYER MED_TOOL BITMAP_TOOL XWD_TO_PNG SCALED_SHOT_CHECK
# The screenshot is the headless snapshot scaled as MODE says, the border picture in the bars;
# clicks on the first and last real pixels of a region's edges land in it, clicks one real pixel
# outside do not; the hint about --scale comes only when nothing was chosen on a screen twice as
# large; the mode comes from the command line or from the user's settings file, the command line
# winning.
set -euo pipefail
mode=$1 size=$2 player=$3 med=$4 bitmaps=$5 xwd_to_png=$6 check=$7
here=$(cd "$(dirname "$0")" && pwd)
source "$here/e2e_common.sh"

W=${size%x*} H=${size#*x}
DW=800 DH=600
start_xvfb "$W" "$H"
export SDL_RENDER_DRIVER=software
export XDG_CONFIG_HOME=$work/config
mkdir -p "$XDG_CONFIG_HOME/velmorant"

show=$work/show
mkdir -p "$show"
"$med" build "$here/scale_fixture/presentation.json" -o "$show/info.med"
"$bitmaps" "$here/scale_fixture/bitmaps.txt" "$show"

# Where the design screen lands (left top right bottom) and how it is filtered, worked out by hand.
args=(--scale "$mode") screen=${DW}x${DH}x24 filter=sharp tolerance=1
case $mode/$size in
  none/*)
    # As made: the window at its design size in the middle, the border around it.
    args=() screen=${W}x${H}x24 filter=nearest tolerance=0
    out=($(( (W - DW) / 2 )) $(( (H - DH) / 2 )) $(( (W + DW) / 2 )) $(( (H + DH) / 2 )))
    ;;
  fit/3840x2160)
    args=()
    echo "scale = fit" > "$XDG_CONFIG_HOME/velmorant/settings.ini"
    out=(480 0 3360 2160) ;;                                        # 3.6
  integer/3840x2160)
    echo "scale = stretch" > "$XDG_CONFIG_HOME/velmorant/settings.ini"
    out=(720 180 3120 1980) filter=nearest tolerance=0 ;;          # 3
  stretch/3840x2160) out=(0 0 3840 2160) ;;                         # 4.8 x 3.6
  fit/1920x1080) out=(240 0 1680 1080) ;;                           # 1.8
  integer/1920x1080) out=(560 240 1360 840) filter=nearest tolerance=0 ;;  # 1
  stretch/1920x1080) out=(0 0 1920 1080) ;;                         # 2.4 x 1.8
  *) echo "no expectation for $mode on $size"; exit 2 ;;
esac
if [ "$mode/$size" = none/1920x1080 ]; then args=(--scale none); fi

"$player" --headless -p "$show" --screen "$screen" --script "$here/scale_fixture/headless.txt" \
  --snapshots "$work/expected" 2>"$work/headless.err" || fail "headless run"
"$player" "$show" "${args[@]}" --log "$work/log.jsonl" 2>"$work/player.err" &
player_pid=$!
pids+=("$player_pid")
until_true 30 log_has '"event":"page","page":0' || fail "no first page"

shows_scaled() {
  xwd -root -silent > "$work/screen.xwd" 2>/dev/null || return 1
  "$xwd_to_png" "$work/screen.xwd" "$work/screen.png" || return 1
  "$check" "$work/expected/start.png" "$work/screen.png" "${out[@]}" $filter $tolerance 603018 \
    > "$work/check.out"
}
until_true 30 shows_scaled || fail "the screen is not the scaled snapshot: $(cat "$work/check.out")"

# real V DESIGN_SIZE OUTPUT_SIZE ORIGIN: the first real pixel whose centre shows design pixel V
# or a later one: ceil(V * OUTPUT / DESIGN - 1/2).
real() {
  local n=$(( 2 * $1 * $3 - $2 )) d=$(( 2 * $2 ))
  echo $(( $4 + (n >= 0 ? (n + d - 1) / d : -(-n / d)) ))
}
ow=$(( out[2] - out[0] )) oh=$(( out[3] - out[1] ))
x() { real "$1" $DW $ow "${out[0]}"; }
y() { real "$1" $DH $oh "${out[1]}"; }
# The region: the panel's 100 x 60 at 10 % of the design screen; as maps place regions, it
# covers the design pixels from (80, 60) to (181, 121), both included.
click() { xdotool mousemove "$1" "$2" click 1; }
click $(( $(x 80) - 1 )) "$(y 91)"          # left of it
click "$(x 131)" $(( $(y 60) - 1 ))         # above it
click "$(x 80)" "$(y 60)"                   # its top left pixel: the next page
until_true 20 log_has '"event":"page","page":1' || fail "its top left corner missed"
click "$(x 182)" "$(y 91)"                  # right of it
click "$(x 131)" "$(y 122)"                 # below it
click $(( $(x 182) - 1 )) $(( $(y 122) - 1 ))  # its bottom right pixel
until_true 20 log_has '"event":"page","page":2' || fail "its bottom right corner missed"
xdotool key Return
until_true 20 log_has '"event":"page","page":3' || fail "Enter did not turn the page"
xdotool key Escape
until_true 20 log_has '"event":"end"' || fail "Escape did not end the show"
pages=$(grep -o '"event":"page","page":[0-9]*' "$work/log.jsonl" | grep -o '[0-9]*$' | tr '\n' ' ')
[ "$pages" = "0 1 2 3 " ] || fail "a click outside the region turned a page: pages $pages"

if [ "$mode/$size" = none/3840x2160 ]; then
  grep -q -- '--scale fit' "$work/player.err" || fail "no word about --scale on a 4K screen"
else
  ! grep -q -- '--scale' "$work/player.err" || fail "a word about --scale though it was chosen"
fi
# The about box, enlarged with the screen, stands in the middle; without a window manager the
# keyboard follows the pointer.
about_shown() { xdotool search --onlyvisible --name '^Velmorant 2005$' >/dev/null; }
until_true 20 about_shown || fail "no about box"
xdotool mousemove $(( W / 2 )) $(( H / 2 )) key a
exits_with 20 "$player_pid" 0
echo "$mode on $size passed"
