#!/usr/bin/env bash
# Makes the default collection data/puzzles.kvl with kelvane-cli: twelve
# puzzles of each size and difficulty, the same file on every run.
# Usage: data/make-puzzles.sh path/to/kelvane-cli
set -euo pipefail
cli=$1
out=$(dirname "$0")/puzzles.kvl
rm -f "$out"
seed=2026
for size in 5 7 9; do
  for difficulty in easy hard; do
    "$cli" create --size "$size" --difficulty "$difficulty" --count 12 --seed "$seed" --out "$out" >/dev/null
    seed=$((seed + 1))
  done
done
"$cli" verify "$out" | tail -n 1
