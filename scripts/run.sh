#!/usr/bin/env bash
# Installs what is missing, builds Vantrel and starts the viewer on the bundled
# example board (or on the board file given as the first argument).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$(nproc)" --target vantrel
exec ./build/app/vantrel "${1:-examples/demo/demo.brd}"
