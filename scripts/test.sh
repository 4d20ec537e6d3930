#!/usr/bin/env bash
# The whole test run: installs what is missing, then builds and tests the core natively, the
# Windows program and its tests under Wine, and runs the fuzz targets for a bounded time.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/setup.sh

cleanup() {
  # End the wineserver of the Windows build tree, and with it anything left in that prefix.
  if [ -d build/windows/wineprefix ]; then
    WINEPREFIX=$PWD/build/windows/wineprefix wineserver -k 2>/dev/null || true
  fi
}
trap cleanup EXIT

for preset in native windows fuzz; do
  echo "=== $preset ==="
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
