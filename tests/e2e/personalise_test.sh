#!/usr/bin/env bash
# Personalising for real: click the card, "Customize", type a line, "Update Card". The card
# writes its copy, the copy takes over the card's name, and the new card carries the line.
source "$(dirname "$0")/lib.sh"

"$folder/Frostmail.exe" &
card_pid=$!
find_window() { window=$(xdotool search --onlyvisible --pid "$card_pid" 2>/dev/null | head -n 1) && [[ -n "$window" ]]; }
wait_for 15 find_window || fail "no card window appeared"
sleep 1

xdotool mousemove --window "$window" 250 300 click 1
sleep 0.5
customize_and_update "$window" "Greetings from Xvfb"

has_line() { grep -q "Greetings from Xvfb" "$folder/Frostmail.exe" 2>/dev/null; }
copy_gone() { [[ ! -e "$folder/Frost_Mail.exe" ]]; }
wait_for 30 has_line || fail "Frostmail.exe does not carry the typed line"
wait_for 15 copy_gone || fail "the personalised copy was left behind"
wait "$card_pid" || fail "the first card did not end cleanly"
new_card_runs() { [[ -n "$(card_pids)" ]]; }
wait_for 5 new_card_runs || fail "the personalised card is not running"
echo "personalised: Frostmail.exe carries the typed line and runs"
