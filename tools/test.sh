#!/usr/bin/env bash
# Builds the game and runs every test: the release build, then the same tests under
# AddressSanitizer and UndefinedBehaviorSanitizer, then the Windows build under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh

for preset in release asan windows; do
  echo "== $preset: build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  echo "== $preset: test"
  ctest --preset "$preset"
done
