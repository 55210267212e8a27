#!/usr/bin/env bash
# Builds and runs every benchmark (release build).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
# numpy for the noise map's side-by-side benchmark only.
bash tools/install-deps.sh python3-numpy
cmake --preset default >/dev/null
cmake --build --preset default
for b in build/bin/bench_*; do
  [ -x "$b" ] && "$b" "$@"
done
