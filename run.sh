#!/usr/bin/env bash
# Installs what is missing, builds Kelvane and starts it.
set -euo pipefail
cd "$(dirname "$0")"
tools/ensure-packages.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  # No screen: show what the engine does in the terminal instead.
  echo "No display found: here is a new puzzle from kelvane-cli instead of the window."
  cli=build/bin/kelvane-cli
  out=build/new-puzzles.kvl
  "$cli" create --size 7 --difficulty hard --count 5 --out "$out"
  "$cli" show "$out" "$("$cli" count "$out")"
  exit 0
fi
exec build/bin/kelvane "$@"
