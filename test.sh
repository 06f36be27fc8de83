#!/usr/bin/env bash
# Installs what is missing, builds Kelvane and runs every test; then the
# core's tests again under AddressSanitizer and UndefinedBehaviorSanitizer
# (the window tests run in the first build only), and every fuzz target for a
# short, bounded time on its corpus.
set -euo pipefail
cd "$(dirname "$0")"
# For tests only: pdftotext reads printed pages back; the validators check the
# installed desktop file and metadata; clang's libFuzzer builds the fuzz targets.
tools/ensure-packages.sh poppler-utils appstream desktop-file-utils clang libclang-rt-dev
jobs=$(nproc)
phase() { echo "== $1: $(( SECONDS - started )) s"; started=$SECONDS; }
started=$SECONDS

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"
phase "release build and tests"

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVANE_SANITIZE=ON -DKELVANE_BENCH=OFF -DKELVANE_UI=OFF >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"
phase "sanitizer build and tests"

FUZZ_JOBS="$jobs" tests/fuzz/run.sh "${KELVANE_FUZZ_SECONDS:-15}"
phase "fuzz targets"
