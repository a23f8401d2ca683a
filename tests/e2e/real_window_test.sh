#!/usr/bin/env bash
# The real card in a real window under Xvfb: a borderless window of the card's size with its
# icon in every size, snow over the nativity picture, and a double-click that closes it.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/screen_checks.sh"
shot_copy="$(dirname "$card_build")/real-window.png"

"$folder/Frostmail.exe" &
card_pid=$!
find_window() { window=$(xdotool search --onlyvisible --pid "$card_pid" 2>/dev/null | head -n 1) && [[ -n "$window" ]]; }
wait_for 15 find_window || fail "no card window appeared"

geometry=$(xdotool getwindowgeometry "$window")
size=$(sed -n 's/.*Geometry: \([0-9]*x[0-9]*\).*/\1/p' <<<"$geometry")
[[ "$size" == "516x607" ]] || fail "window is $size, not 516x607"
read -r x y < <(sed -n 's/.*Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p' <<<"$geometry")

# The window icon in all four sizes, as the window manager reads it.
icons=$(xprop -id "$window" _NET_WM_ICON | sed -n 's/.*Icon (\([0-9]*\) x \([0-9]*\)).*/\1x\2/p' |
  sort -n | tr '\n' ' ')
[[ "$icons" == "16x16 24x24 32x32 48x48 " ]] ||
  fail "the window icon comes in sizes '${icons}', not 16, 24, 32 and 48 px"
echo "window icon: $icons"

# Snow over the nativity picture: a dark, detailed picture, and it changes as the flakes fall.
sleep 2.5
check_snow_over_nativity "$x" "$y" "$shot_copy" "$folder"

# A double-click on the card closes it.
xdotool mousemove --window "$window" 258 300 click --repeat 2 --delay 60 1
ended() { ! kill -0 "$card_pid" 2>/dev/null; }
wait_for 10 ended || fail "the card did not close on a double-click"
wait "$card_pid" || fail "the card did not exit cleanly"
echo "double-click: the card closed"
