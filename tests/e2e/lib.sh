# Shared by the real-process tests: a temporary program folder with the card in it, an
# environment that keeps the card's lock and music file inside that folder, and cleanup.
set -euo pipefail

card_build=$1
folder=$(mktemp -d "${TMPDIR:-/tmp}/frost-e2e-XXXXXX")
export XDG_RUNTIME_DIR=$folder Windir=$folder SDL_AUDIODRIVER=dummy
cp "$card_build" "$folder/Frostmail.exe"

# Processes whose program file lies in the test folder.
card_pids() {
  local pid
  for pid in $(pgrep -f "$folder/" || true); do
    [[ "$(readlink "/proc/$pid/exe" 2>/dev/null)" == "$folder/"* ]] && echo "$pid"
  done
  return 0
}

cleanup() {
  local pids
  pids=$(card_pids)
  [[ -n "$pids" ]] && kill $pids 2>/dev/null
  sleep 0.2
  rm -rf "$folder"
}
trap cleanup EXIT

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# Waits up to $1 seconds for the command in the other arguments to succeed.
wait_for() {
  local seconds=$1
  shift
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.1
  done
}

# With the strip shown: "Customize", type $2 into line 1, "Update Card". The strip's left
# button (both of them) lies 20 px below the top, the strip ending 20 px before the right edge:
# 7750 - 482 - 300 twips = 464.5 px at 15 twips/px.
customize_and_update() {
  local window=$1 text=$2
  xdotool mousemove --window "$window" 472 27 click 1
  sleep 0.5
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  xdotool type --delay 40 "$text"
  sleep 0.5
  xdotool mousemove --window "$window" 472 27 click 1
}
