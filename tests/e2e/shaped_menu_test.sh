#!/usr/bin/env bash
# The menu in the window shaped to the tree (the show's last phase, about a minute in): a click
# on the tree shows the strip, and the window's shape takes it in while it is shown; the strip
# goes again after its idle time and the shape is the tree again; "Customize" opens the editor
# there, and a line typed in it reaches the new card.
source "$(dirname "$0")/lib.sh"

"$folder/Frostmail.exe" &
card_pid=$!
find_window() { window=$(xdotool search --onlyvisible --pid "$card_pid" 2>/dev/null | head -n 1) && [[ -n "$window" ]]; }
wait_for 15 find_window || fail "no card window appeared"

# The window's shape extents as "x y width height".
shape() {
  xwininfo -id "$window" -shape |
    sed -n 's/.*Window shape extents: *\([0-9]*\)x\([0-9]*\)+\([0-9]*\)+\([0-9]*\).*/\3 \4 \1 \2/p'
}
shaped_to_tree() { read -r sx sy sw sh < <(shape) && ((sy > 20 && sx + sw < 464)); }
wait_for 100 shaped_to_tree || fail "the window was not shaped to the tree (shape $(shape))"
tree=$(shape)
echo "last phase: shape $tree"

# A click on the tree (258,400), then the mouse over "Customize" (lib.sh) so that the idle check
# counts from there. The check may fire right after the click, as it does every 7 seconds; the
# second click then has those 7 seconds.
with_strip() { read -r sx sy sw sh < <(shape) && ((sy <= 20 && sx + sw >= 496)); }
show_strip() {
  local attempt
  for attempt in 1 2; do
    xdotool mousemove --window "$window" 258 400 click 1 mousemove --window "$window" 472 27
    wait_for 2 with_strip && return 0
  done
  return 1
}
show_strip || fail "the shape does not take in the strip (shape $(shape))"
read -r x y < <(xdotool getwindowgeometry "$window" | sed -n 's/.*Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p')
import -window root -crop "40x24+$((x + 460))+$((y + 16))" +repage "$folder/strip.png"
shown=$(convert "$folder/strip.png" -colorspace gray -format '%[fx:mean]' info:)
awk -v m="$shown" 'BEGIN { exit !(m > 0.05) }' || fail "the strip is not to be seen (mean $shown)"
echo "strip shown: shape $(shape), its place has mean $shown"

back_to_tree() { [[ "$(shape)" == "$tree" ]]; }
wait_for 16 back_to_tree || fail "the shape did not go back to the tree (shape $(shape))"
echo "strip hidden: the shape is the tree again"

show_strip || fail "the strip did not come back"
customize_and_update "$window" "Shaped greetings"
has_line() { grep -q "Shaped greetings" "$folder/Frostmail.exe" 2>/dev/null; }
wait_for 30 has_line || fail "the line typed in the shaped window did not reach the card"
wait "$card_pid" || fail "the first card did not end cleanly"
echo "customized in the shaped window: Frostmail.exe carries the typed line"
