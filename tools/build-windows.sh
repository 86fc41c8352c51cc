#!/usr/bin/env bash
# Builds the Windows game on Linux and leaves it as a zip to copy to a Windows machine:
#   tools/build-windows.sh      ->  build/windows/quelmo-<version>-win64.zip
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh --windows
cmake --preset windows >/dev/null
cmake --build --preset windows --target zip
ls build/windows/quelmo-*-win64.zip
