#!/usr/bin/env bash
# Builds the game and runs every test: the release build, then the same tests under
# AddressSanitizer and UndefinedBehaviorSanitizer, then the Windows build under Wine.  The
# browser build comes first: the release tests run it in headless Chromium.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh

echo "== web: build"
cmake --preset web >/dev/null
cmake --build --preset web

for preset in release asan windows; do
  echo "== $preset: build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  echo "== $preset: test"
  ctest --preset "$preset"
done
