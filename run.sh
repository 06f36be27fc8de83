#!/usr/bin/env bash
# Installs what is missing, builds Kelvane, makes a few puzzles and shows one.
set -euo pipefail
cd "$(dirname "$0")"
tools/ensure-packages.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build
cli=build/bin/kelvane-cli
out=build/new-puzzles.kvl
"$cli" create --size 7 --difficulty hard --count 5 --out "$out"
count=$("$cli" count "$out")
"$cli" show "$out" "$count"
echo
echo "Its solution: $cli show $out $count --solution"
echo "The default collection: $cli show build/bin/puzzles.kvl 1"
