#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs each for a while.
#
#   tests/fuzz/run.sh [SECONDS] [TARGET...]
#
# SECONDS is the time per target (default 60); the targets are reader_fuzz,
# loader_fuzz, session_fuzz, record_fuzz and command_fuzz (default all five). Each run starts from the
# committed seed corpus plus what earlier runs found (kept in
# build-fuzz/corpus/TARGET), and stops at the first crash, leak, sanitizer
# report, input over one second or over 2 GB of memory, leaving the input in
# build-fuzz/artifacts/. The exit status is non-zero when any target failed.
# FUZZ_JOBS (default 1) runs that many fuzzing processes per target.
set -euo pipefail

seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(reader_fuzz loader_fuzz session_fuzz record_fuzz command_fuzz)
jobs=${FUZZ_JOBS:-1}

root=$(cd "$(dirname "$0")/../.." && pwd)
build=$root/build-fuzz
seeds=$root/tests/fuzz/corpus

cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCONFIG_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j2 --target "${targets[@]}" >/dev/null

mkdir -p "$build/artifacts" "$build/logs"
failed=0
summary=()
for target in "${targets[@]}"; do
  corpus=$build/corpus/$target
  mkdir -p "$corpus"
  log=$build/logs/$target.log
  dict=()
  [ -f "$root/tests/fuzz/$target.dict" ] && dict=(-dict="$root/tests/fuzz/$target.dict")
  options=(-max_total_time="$seconds" -max_len=4096 -timeout=1 -rss_limit_mb=2048 -detect_leaks=1
           -print_final_stats=1 -artifact_prefix="$build/artifacts/$target-" "${dict[@]}")
  start=$(date +%s)
  status=0
  if [ "$jobs" -gt 1 ]; then
    (cd "$build/logs" && "$build/tests/fuzz/$target" "${options[@]}" -jobs="$jobs" -workers="$jobs" \
       "$corpus" "$seeds/$target") >"$log" 2>&1 || status=$?
    cat "$build"/logs/fuzz-*.log >>"$log" 2>/dev/null || true
    rm -f "$build"/logs/fuzz-*.log
  else
    "$build/tests/fuzz/$target" "${options[@]}" "$corpus" "$seeds/$target" >"$log" 2>&1 || status=$?
  fi
  elapsed=$(( $(date +%s) - start ))
  runs=$(grep -ho 'stat::number_of_executed_units: *[0-9]*' "$log" | awk '{s += $2} END {print s + 0}')
  size=$(find "$corpus" -type f | wc -l)
  if [ "$status" -ne 0 ] || grep -q 'ERROR: \(AddressSanitizer\|LeakSanitizer\|libFuzzer\)\|runtime error:' "$log"; then
    failed=1
    summary+=("$target: FAILED after $runs runs in ${elapsed}s (log: $log)")
    grep -m 5 'ERROR\|runtime error\|fuzz check failed\|Test unit written' "$log" >&2 || true
  else
    summary+=("$target: $runs runs in ${elapsed}s, no failure, corpus $size inputs")
  fi
done

printf '%s\n' "${summary[@]}"
exit "$failed"
