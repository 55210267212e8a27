#!/usr/bin/env bash
# Runs the randomized whole-program test by hand, for as long as you like.
#   tools/run-window-fuzz.sh [-p asan] [ACTIONS] [SEED|random] [RUNS]
# ACTIONS per run (default 5000); SEED the first seed (default random), each
# further run taking the next one; RUNS how many runs (default 1). Each run
# prints its seed and, on a failure, what broke, the replay line and the
# last actions; VORN_FUZZ_VERBOSE=1 prints every action as it is taken.
# Exits non-zero when any run failed.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=default
if [ "${1:-}" = "-p" ]; then preset="$2"; shift 2; fi
actions="${1:-5000}"
seed="${2:-random}"
runs="${3:-1}"
if [ "$seed" = "random" ]; then seed=$(( (RANDOM << 15) | RANDOM )); fi
build=build; [ "$preset" = "asan" ] && build=build-asan
cmake --preset "$preset" >/dev/null
cmake --build "$build" --target test_fuzzwin
export QT_QPA_PLATFORM=offscreen
[ "$preset" = "asan" ] && export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
failed=0
for ((i = 0; i < runs; i++)); do
  s=$((seed + i))
  set +e
  VORN_FUZZ_SEED=$s VORN_FUZZ_ACTIONS=$actions "$build/bin/test_fuzzwin" \
    --gtest_filter=WindowFuzz.* --gtest_brief=1 2>&1 | grep -v "^This plugin does not support"
  status=${PIPESTATUS[0]}
  set -e
  if [ "$status" -eq 0 ]; then
    echo "seed $s: clean after $actions actions"
  else
    echo "seed $s: FAILED (status $status); replay: VORN_FUZZ_SEED=$s VORN_FUZZ_ACTIONS=$actions $build/bin/test_fuzzwin --gtest_filter=WindowFuzz.*"
    failed=1
  fi
done
exit "$failed"
