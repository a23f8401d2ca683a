#!/usr/bin/env bash
# Runs a Windows program under Wine, in a prefix of its own (made at the first run):
#   wine.sh PREFIX PROGRAM [ARGUMENTS...]
#   wine.sh PREFIX --end          ends the prefix's Wine server
# Quiet (no debug channels), no Mono or Gecko installs, no desktop menu entries.
set -euo pipefail
export WINEPREFIX=$(realpath -m "$1") WINEDEBUG=-all WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
shift

lib=/usr/lib/wine
wine=$lib/wine64
server=$lib/wineserver
[[ -x $wine ]] || wine=$(command -v wine64 || command -v wine)
[[ -x $server ]] || server=$(command -v wineserver)

if [[ "${1:-}" == --end ]]; then
  "$server" -k 2>/dev/null || true
  exit 0
fi
exec "$wine" "$@"
