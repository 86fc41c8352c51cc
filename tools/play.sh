#!/usr/bin/env bash
# Builds the game and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh --play
cmake --preset play >/dev/null
cmake --build --preset play
exec build/play/programs/quelmo/quelmo
