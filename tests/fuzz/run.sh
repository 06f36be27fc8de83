#!/usr/bin/env bash
# Builds the fuzz targets and runs each for a while on a copy of its corpus.
#   tests/fuzz/run.sh SECONDS [TARGET...]
# FUZZ_BUILD: build folder (default build-fuzz in the repository root).
# FUZZ_JOBS: targets run side by side (default 1).
# Exit status: 0 when no target found anything, 1 when one did, 2 on a usage or build error.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${FUZZ_BUILD:-$root/build-fuzz}
jobs=${FUZZ_JOBS:-1}
all_targets=(puzzle_file chain_list config_file scheme_file msg_style cli_args)

usage() {
  echo "usage: $0 SECONDS [TARGET...]   targets: ${all_targets[*]}" >&2
  exit 2
}
[ $# -ge 1 ] || usage
seconds=$1
shift
[[ "$seconds" =~ ^[1-9][0-9]*$ ]] || usage
[[ "$jobs" =~ ^[1-9][0-9]*$ ]] || usage
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=("${all_targets[@]}")
for t in "${targets[@]}"; do
  [[ " ${all_targets[*]} " == *" $t "* ]] || { echo "unknown target: $t" >&2; usage; }
done

# clang with libFuzzer's runtime, CMake and Ninja; installed only when missing.
probe=$(mktemp -d)
echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' >"$probe/p.cpp"
if ! command -v cmake >/dev/null || ! command -v ninja >/dev/null ||
   ! clang++ -fsanitize=fuzzer "$probe/p.cpp" -o "$probe/p" >/dev/null 2>&1; then
  "$root/tools/ensure-packages.sh" clang libclang-rt-dev || { rm -rf "$probe"; exit 2; }
fi
rm -rf "$probe"

if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null || exit 2
fi
cmake --build "$build" || exit 2

mkdir -p "$build/logs" "$build/results"

# Runs one target; leaves "target runs result" in results/TARGET.
run_target() {
  local t=$1
  local work="$build/corpus/$t" artifacts="$build/artifacts/$t/" log="$build/logs/$t.log"
  mkdir -p "$work" "$artifacts"
  cp -n "$here/corpus/$t/"* "$work/" 2>/dev/null
  local args=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$artifacts")
  [ -f "$here/$t.dict" ] && args+=(-dict="$here/$t.dict")
  local status=0
  (cd "$build" && "./fuzz_$t" "${args[@]}" "$work") >"$log" 2>&1 || status=$?
  local runs result
  runs=$(sed -n 's/^Done \([0-9]*\) runs in .*/\1/p' "$log" | tail -n 1)
  [ -n "$runs" ] || runs=$(sed -n 's/^#\([0-9]*\)[[:space:]].*/\1/p' "$log" | tail -n 1)
  [ -n "$runs" ] || runs=0
  if [ "$status" -eq 0 ]; then
    result=ok
  else
    local kind=CRASH
    grep -q "ERROR: libFuzzer: timeout" "$log" && kind=TIMEOUT
    grep -q "ERROR: libFuzzer: out-of-memory" "$log" && kind=OOM
    grep -q "ERROR: LeakSanitizer" "$log" && kind=LEAK
    local unit
    unit=$(sed -n "s/.*Test unit written to \(.*\)$/\1/p" "$log" | tail -n 1)
    result="$kind (exit $status) ${unit:-see $log}"
  fi
  echo "$t $runs $result" >"$build/results/$t"
}

for t in "${targets[@]}"; do
  rm -f "$build/results/$t"
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n; done
  echo "fuzzing $t for $seconds s (log: $build/logs/$t.log)"
  run_target "$t" &
done
wait

found=0
printf '%-12s %12s  %s\n' target executions result
for t in "${targets[@]}"; do
  if [ -f "$build/results/$t" ]; then
    read -r name runs result <"$build/results/$t"
  else
    name=$t runs=0 result="NO RESULT"
  fi
  printf '%-12s %12s  %s\n' "$name" "$runs" "$result"
  [ "$result" = ok ] || found=1
done
exit $found
