#!/usr/bin/env bash
# The real card in a real window under Xvfb: a borderless window of the card's size with its
# icon in every size, snow over the nativity picture, and a double-click that closes it.
source "$(dirname "$0")/lib.sh"
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
import -window root -crop "516x607+$x+$y" +repage "$folder/shot1.png"
sleep 0.5
import -window root -crop "516x607+$x+$y" +repage "$folder/shot2.png"
cp "$folder/shot1.png" "$shot_copy"
read -r mean deviation < <(convert "$folder/shot1.png" -crop 516x520+0+40 -colorspace gray \
  -format '%[fx:mean] %[fx:standard_deviation]\n' info:)
awk -v m="$mean" -v d="$deviation" 'BEGIN { exit !(m > 0.05 && m < 0.45 && d > 0.05) }' ||
  fail "the window does not show the nativity picture (mean $mean, deviation $deviation)"
changed=$(compare -metric AE "$folder/shot1.png" "$folder/shot2.png" null: 2>&1 || true)
((${changed%%.*} > 100)) || fail "no snow is falling ($changed pixels changed)"
echo "window: 516x607 at $x,$y, picture mean $mean, $changed pixels changed by the snow"

# A double-click on the card closes it.
xdotool mousemove --window "$window" 258 300 click --repeat 2 --delay 60 1
ended() { ! kill -0 "$card_pid" 2>/dev/null; }
wait_for 10 ended || fail "the card did not close on a double-click"
wait "$card_pid" || fail "the card did not exit cleanly"
echo "double-click: the card closed"
