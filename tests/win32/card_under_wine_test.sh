#!/usr/bin/env bash
# Frostmail.exe as a user meets it, under Wine in an X display of its own:
#   card_under_wine_test.sh WINE_PREFIX FROSTMAIL_EXE FROSTCARD
# A borderless 516 x 607 window with snow over the nativity picture; a second instance ends at
# once; "Update Card" by clicks and typing hands over to the personalised card, whose lines
# frostcard reads back; that card shapes its window to the tree at the end of the show, and a
# double-click on the tree ends it. Screenshots of the first card and of the shaped one are
# kept beside the program (wine-window.png, wine-tree.png).
set -euo pipefail
prefix=$1 card_build=$2 frostcard=$3
wine_sh="$(dirname "$0")/wine.sh"
source "$(dirname "$0")/../e2e/screen_checks.sh"
[[ -x "$frostcard" ]] || { echo "FAILED: $frostcard is not built (the default preset)" >&2; exit 1; }
folder=$(mktemp -d "${TMPDIR:-/tmp}/frost-wine-XXXXXX")
cp "$card_build" "$folder/Frostmail.exe"

cleanup() {
  "$wine_sh" "$prefix" --end
  rm -rf "$folder"
}
trap cleanup EXIT

fail() {
  echo "FAILED: $*" >&2
  tail -n 20 "$folder/wine.log" >&2 || true
  exit 1
}

# Waits up to $1 seconds for the command in the other arguments to succeed.
wait_for() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.2
  done
}

run_card() { "$wine_sh" "$prefix" "$folder/Frostmail.exe" 2>>"$folder/wine.log"; }
find_window() {
  window=$(xdotool search --onlyvisible --name '^Frostmail$' 2>/dev/null | head -n 1) &&
    [[ -n "$window" ]]
}
no_window() { ! xdotool search --onlyvisible --name '^Frostmail$' >/dev/null 2>&1; }
geometry() { xdotool getwindowgeometry "$window"; }
# The window's shape extents as "x y width height".
shape() {
  xwininfo -id "$window" -shape |
    sed -n 's/.*Window shape extents: *\([0-9]*\)x\([0-9]*\)+\([0-9]*\)+\([0-9]*\).*/\3 \4 \1 \2/p'
}

run_card &
card_pid=$!
wait_for 60 find_window || fail "no card window appeared"
size=$(geometry | sed -n 's/.*Geometry: \([0-9]*x[0-9]*\).*/\1/p')
[[ "$size" == "516x607" ]] || fail "the window is $size, not 516x607"
read -r x y < <(geometry | sed -n 's/.*Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p')
# Borderless: no frame of Wine's around the card, the window itself is the top-level one.
[[ "$(xwininfo -id "$window" | sed -n 's/.*Border width: //p')" == 0 ]] || fail "the window has a border"

sleep 3
check_snow_over_nativity "$x" "$y" "$(dirname "$card_build")/wine-window.png" "$folder"

start=$SECONDS
timeout 30 "$wine_sh" "$prefix" "$folder/Frostmail.exe" 2>>"$folder/wine.log" ||
  fail "the second instance did not end cleanly"
((SECONDS - start <= 5)) || fail "the second instance took $((SECONDS - start)) s to end"
kill -0 "$card_pid" 2>/dev/null || fail "the first card ended with the second"
echo "second instance: ended in $((SECONDS - start)) s"

# Click the card for the strip, "Customize", type line 1, "Update Card" (both at 472,27).
xdotool mousemove --window "$window" 250 300 click 1
sleep 0.5
xdotool mousemove --window "$window" 472 27 click 1
sleep 0.5
xdotool type --delay 40 "Greetings from Wine"
sleep 0.5
xdotool mousemove --window "$window" 472 27 click 1
has_line() { grep -q "Greetings from Wine" "$folder/Frostmail.exe" 2>/dev/null; }
copy_gone() { [[ ! -e "$folder/Frost_Mail.exe" ]]; }
wait_for 40 has_line || fail "Frostmail.exe does not carry the typed line"
wait_for 20 copy_gone || fail "the personalised copy was left behind"
wait "$card_pid" || fail "the first card did not end cleanly"
lines=$("$frostcard" greetings "$folder/Frostmail.exe" | tr '\n' '|')
[[ "$lines" == "Greetings from Wine||Season's Greetings|Merry Christmas|Happy New Year|Love Peace Joy|||" ]] ||
  fail "frostcard reads the lines '$lines'"
echo "personalised: frostcard reads '$lines'"

wait_for 20 find_window || fail "the personalised card shows no window"
shaped_to_tree() { read -r sx sy sw sh < <(shape) && ((sy > 20 && sx + sw < 464)); }
wait_for 120 shaped_to_tree || fail "the window was not shaped to the tree (shape $(shape))"
read -r x y < <(geometry | sed -n 's/.*Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p')
import -window root -crop "516x607+$x+$y" +repage "$(dirname "$card_build")/wine-tree.png"
echo "last phase: the window is shaped to the tree ($(shape))"

xdotool mousemove --window "$window" 258 400 click --repeat 2 --delay 60 1
wait_for 15 no_window || fail "the card did not close on a double-click"
echo "double-click: the card closed"
