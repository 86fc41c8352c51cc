#!/usr/bin/env bash
# Builds the game for web browsers (build/web/site) and serves it on this machine.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh --web
cmake --preset web >/dev/null
cmake --build --preset web
port="${PORT:-8000}"
echo "Quelmo in the browser: open http://127.0.0.1:${port}/ (Ctrl+C stops the server)"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build/web/site
