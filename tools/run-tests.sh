#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
# Pass "asan" to build and test under AddressSanitizer and UBSan instead.
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-default}"
bash tools/install-deps.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
ctest --preset "$preset" -j2
