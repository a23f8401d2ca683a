#!/usr/bin/env bash
# Every file of the toolkit, the card's subsystems and the headless backend must compile for
# Windows as they are, so that a Windows card needs only its own backend: each is checked with
# the mingw-w64 cross compiler (syntax only, no link).
set -euo pipefail
cd "$(dirname "$0")/../.."

compiler=x86_64-w64-mingw32-g++-posix
command -v "$compiler" >/dev/null || { echo "windows syntax: $compiler is not installed"; exit 1; }

status=0
checked=0
for file in src/toolkit/*.cpp src/startup/*.cpp src/sequencer/*.cpp src/scene/*.cpp \
  src/effects/*.cpp src/personalise/*.cpp src/sound/*.cpp src/platform/headless/*.cpp; do
  checked=$((checked + 1))
  if ! "$compiler" -std=c++20 -Wall -Wextra -fsyntax-only -Isrc -I/usr/include/stb "$file"; then
    echo "windows syntax: $file does not compile for Windows"
    status=1
  fi
done
echo "windows syntax: $checked files checked"
exit $status
