#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it. Where there is
# no display to show a window on, it runs the program's main job without one
# instead: vorn-batch opens an example case, computes every receptor and
# prints the text report. Installer and build output go to a log file.
set -euo pipefail
cd "$(dirname "$0")/.."
mkdir -p build
log="build/run-main.log"
: >"$log"

fail() {
  echo "$1 failed; the last lines of $log:" >&2
  tail -n 20 "$log" >&2
  exit 1
}

echo "Installing missing packages (output in $log)"
bash tools/install-deps.sh >>"$log" 2>&1 || fail "Installing packages"
echo "Configuring the build"
cmake --preset default >>"$log" 2>&1 || fail "Configuring"
echo "Building vorn and vorn-batch"
cmake --build build --target vorn vorn-batch >>"$log" 2>&1 || fail "Building"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  echo "Starting vorn"
  exec build/bin/vorn
fi
echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): running vorn-batch on an example case instead."
exec build/bin/vorn-batch "${@:-examples/Bridge Demolition.cas}"
