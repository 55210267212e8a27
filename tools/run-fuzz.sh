#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for the given seconds (default 60).
#   tools/run-fuzz.sh [-j JOBS] [SECONDS] [TARGET...]
# JOBS targets run at once (default 1). Seeds come from fuzz/corpus/<target>/;
# what a run learns lands in fuzz-out/<target>/corpus, crashing inputs in
# fuzz-out/<target>/crashes, the whole output in fuzz-out/<target>/log.
# Prints the executions of each target; exits non-zero when any target failed.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=1
if [ "${1:-}" = "-j" ]; then jobs="$2"; shift 2; fi
seconds="${1:-60}"
[ $# -gt 0 ] && shift
only=("$@")
bash tools/install-deps.sh
CC=clang CXX=clang++ cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz

run_one() {
  local target="$1" bin="build-fuzz/bin/fuzz_$1"
  local out="fuzz-out/$target"
  mkdir -p "$out/corpus" "$out/crashes"
  local seeds=()
  [ -d "fuzz/corpus/$target" ] && seeds+=("fuzz/corpus/$target")
  local status=0
  "$bin" -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=65536 -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$out/crashes/" "$out/corpus" "${seeds[@]}" >"$out/log" 2>&1 || status=$?
  local execs
  execs=$(grep -Eo 'stat::number_of_executed_units: *[0-9]+' "$out/log" | grep -Eo '[0-9]+$' || echo "?")
  if [ "$status" -eq 0 ]; then
    echo "fuzz_$target: clean, $execs executions in ${seconds}s"
  else
    echo "fuzz_$target: FAILED (status $status), $execs executions; see $out/log"
    grep -E '^(==[0-9]+==|SUMMARY|.*runtime error)' "$out/log" | head -5 || true
  fi
  return "$status"
}

targets=()
for bin in build-fuzz/bin/fuzz_*; do
  target=$(basename "$bin"); target=${target#fuzz_}
  if [ ${#only[@]} -gt 0 ]; then
    keep=0
    for o in "${only[@]}"; do [ "$o" = "$target" ] && keep=1; done
    [ "$keep" -eq 1 ] || continue
  fi
  targets+=("$target")
done

failed=0
running=0
for target in "${targets[@]}"; do
  run_one "$target" &
  running=$((running + 1))
  if [ "$running" -ge "$jobs" ]; then
    wait -n || failed=1
    running=$((running - 1))
  fi
done
while [ "$running" -gt 0 ]; do
  wait -n || failed=1
  running=$((running - 1))
done
exit "$failed"
