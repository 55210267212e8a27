#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for the given seconds (default 60).
# Seeds come from fuzz/corpus/<target>/; findings land in fuzz-out/<target>/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
only="${2:-}"
bash tools/install-deps.sh
CC=clang CXX=clang++ cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz
for bin in build-fuzz/bin/fuzz_*; do
  name=$(basename "$bin"); target=${name#fuzz_}
  [ -n "$only" ] && [ "$only" != "$target" ] && continue
  mkdir -p "fuzz-out/$target/corpus" "fuzz-out/$target/crashes"
  seeds=()
  [ -d "fuzz/corpus/$target" ] && seeds+=("fuzz/corpus/$target")
  echo "== $name for ${seconds}s"
  "$bin" -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=65536 -timeout=10 \
    -artifact_prefix="fuzz-out/$target/crashes/" "fuzz-out/$target/corpus" "${seeds[@]}" 2>&1 \
    | grep -E '^(#[0-9]+ *DONE|==[0-9]+==|SUMMARY|Done)' || true
done
