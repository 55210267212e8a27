#!/usr/bin/env bash
# Cross-builds the libraries, the core, vorn-batch.exe and the tests for
# 64-bit Windows with mingw-w64, runs every test executable under wine64, and
# checks that vorn-batch.exe writes, for every example case, the very bytes
# the Linux build writes (build/bin/vorn-batch, built first when missing).
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh g++-mingw-w64-x86-64-posix googletest wine64

cmake --preset mingw >/dev/null
cmake --build --preset mingw

# Debian puts wine64 outside PATH; one prefix per build, made once.
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
export WINEPREFIX="$PWD/build-mingw/wineprefix" WINEDEBUG=-all
failed=0
for exe in build-mingw/bin/test_*.exe; do
  echo "== $(basename "$exe")"
  if ! timeout 900 "$wine" "$exe" --gtest_brief=1; then
    failed=1
  fi
done

if [ ! -x build/bin/vorn-batch ]; then
  cmake --preset default >/dev/null
  cmake --build --preset default --target vorn-batch
fi
reports=$(mktemp -d)
trap 'rm -rf "$reports"' EXIT
for case in examples/*.cas; do
  for format in txt csv; do
    build/bin/vorn-batch --date 10/01/2005 --format "$format" "$case" >"$reports/linux"
    "$wine" build-mingw/bin/vorn-batch.exe --date 10/01/2005 --format "$format" "$case" >"$reports/windows"
    if cmp -s "$reports/linux" "$reports/windows"; then
      echo "same report: $case ($format)"
    else
      echo "REPORTS DIFFER: $case ($format)"
      failed=1
    fi
  done
done
exit $failed
