#!/usr/bin/env bash
# The hand-over between real processes: a personalised copy started as "Frost_Mail.exe"
# replaces "Frostmail.exe" with itself and starts it; the new card removes the copy; a
# second instance ends at once without touching either file.
source "$(dirname "$0")/lib.sh"

# The personalised copy differs from the card in its last byte (the area's tail).
cp "$folder/Frostmail.exe" "$folder/Frost_Mail.exe"
printf '\x01' | dd of="$folder/Frost_Mail.exe" bs=1 seek=$(($(stat -c %s "$folder/Frost_Mail.exe") - 1)) conv=notrunc status=none
cp "$folder/Frost_Mail.exe" "$folder/expected"

"$folder/Frost_Mail.exe" &
copy_pid=$!
copy_gone() { [[ ! -e "$folder/Frost_Mail.exe" ]]; }
wait_for 20 copy_gone || fail "the new card did not remove Frost_Mail.exe"
cmp -s "$folder/expected" "$folder/Frostmail.exe" || fail "Frostmail.exe is not the personalised copy"
wait "$copy_pid" || fail "the copy did not end cleanly"
new_card_runs() { [[ -n "$(card_pids)" ]]; }
wait_for 5 new_card_runs || fail "the new card is not running"
echo "hand-over: the copy replaced the card, started it and was removed"

# A second instance while the card runs: it ends at once and touches nothing.
cp "$folder/Frostmail.exe" "$folder/Frost_Mail.exe"
touch -d '2001-01-01' "$folder/Frost_Mail.exe" "$folder/Frostmail.exe"
before=$(stat -c '%Y %s' "$folder/Frostmail.exe" "$folder/Frost_Mail.exe")
start=$SECONDS
timeout 10 "$folder/Frostmail.exe" || fail "the second instance did not end cleanly"
((SECONDS - start <= 3)) || fail "the second instance took $((SECONDS - start)) s to end"
[[ "$(stat -c '%Y %s' "$folder/Frostmail.exe" "$folder/Frost_Mail.exe")" == "$before" ]] ||
  fail "the second instance touched the program files"
echo "second instance: ended at once, files untouched"
