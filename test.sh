#!/usr/bin/env bash
# Installs what is missing, builds Kelvane and runs every test, then the
# core's tests again under AddressSanitizer and UndefinedBehaviorSanitizer
# (the window tests run in the first build only).
set -euo pipefail
cd "$(dirname "$0")"
tools/ensure-packages.sh
jobs=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVANE_SANITIZE=ON -DKELVANE_BENCH=OFF -DKELVANE_UI=OFF >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"
