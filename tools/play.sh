#!/usr/bin/env bash
# Builds the game and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh --play
cmake --preset release -DQUELMO_TESTS=OFF -DQUELMO_BENCH=OFF >/dev/null
cmake --build --preset release --target quelmo
exec build/release/runtime/quelmo
