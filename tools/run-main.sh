#!/usr/bin/env bash
# Installs what is missing, builds, and runs the program's main job on an
# example case: open it, compute every receptor and print the text report.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
if [ -x build/bin/vorn-batch ]; then
  exec build/bin/vorn-batch "${@:-examples/Bridge Demolition.cas}"
else
  exec build/bin/bench_ascii --benchmark_min_time=0.1
fi
