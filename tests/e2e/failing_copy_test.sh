#!/usr/bin/env bash
# The hand-over between real processes when the copy cannot be written: the personalised copy
# runs with a file size limit below the card's size, so that its copy to "Frostmail.exe" fails
# half-way ("File too large"), as on a nearly full disk. The old card stays whole and the copy
# is kept; the next normal start finishes the hand-over with it.
source "$(dirname "$0")/lib.sh"
frostcard="$(dirname "$card_build")/frostcard"

cp "$folder/Frostmail.exe" "$folder/Frost_Mail.exe"
"$frostcard" greetings "$folder/Frost_Mail.exe" --set 1 "New lines" || fail "cannot personalise"
cp "$folder/Frostmail.exe" "$folder/old"
cp "$folder/Frost_Mail.exe" "$folder/new"
size_kb=$(($(stat -c %s "$folder/Frostmail.exe") / 1024))

# An ignored SIGXFSZ is inherited, so a write past the limit fails instead of killing the card.
(
  trap '' XFSZ
  ulimit -f $((size_kb / 2))
  exec "$folder/Frost_Mail.exe"
) 2>"$folder/copy.err" &
copy_pid=$!

# Only ever the old card or the new one under the card's name, and no partial file beside it.
a_whole_card() {
  cmp -s "$folder/old" "$folder/Frostmail.exe" || cmp -s "$folder/new" "$folder/Frostmail.exe"
}
# The message box (a window titled "Frostmail" without the card's window class), or its line
# on stderr where no box can be shown.
boxes() { xwininfo -root -tree | grep -c '"Frostmail": ()' || true; }
box_shown() { (($(boxes) > 0)) || grep -q '^Frostmail: ' "$folder/copy.err"; }
deadline=$((SECONDS + 50))
until box_shown; do
  a_whole_card || fail "Frostmail.exe is neither the old card nor the new one"
  ((SECONDS < deadline)) || fail "the copy showed no message box"
  sleep 0.2
done
cmp -s "$folder/old" "$folder/Frostmail.exe" || fail "the old card was changed"
cmp -s "$folder/new" "$folder/Frost_Mail.exe" || fail "the personalised copy was changed"
[[ -z "$(find "$folder" -name '.Frost*')" ]] || fail "a partial copy was left: $(ls -A "$folder")"
(($(boxes) + $(grep -c '^Frostmail: ' "$folder/copy.err" || true) == 1)) || fail "not one message"
# The box waits for a click (in a child process of its own); end the copy and its box.
kill -KILL $(card_pids) 2>/dev/null || true
wait "$copy_pid" 2>/dev/null || true
echo "failing copy: the old card and the personalised copy are whole, one message box"

# A normal start finds the complete personalised copy and finishes the hand-over with it.
"$folder/Frostmail.exe" &
copy_gone() { [[ ! -e "$folder/Frost_Mail.exe" ]]; }
wait_for 20 copy_gone || fail "the hand-over was not finished"
cmp -s "$folder/new" "$folder/Frostmail.exe" || fail "Frostmail.exe is not the personalised card"
new_card_runs() { [[ -n "$(card_pids)" ]]; }
wait_for 5 new_card_runs || fail "the personalised card is not running"
[[ "$("$frostcard" greetings "$folder/Frostmail.exe" | head -n 1)" == "New lines" ]] ||
  fail "the card does not show the new lines"
echo "next start: the hand-over finished with the personalised copy"
