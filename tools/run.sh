#!/usr/bin/env bash
# Builds tamrix and starts it on the example program (or on the S19 file
# given as argument).
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DTAMRIX_TESTS=OFF >/dev/null
cmake --build build/release -j"$(nproc)"
exec build/release/tamrix "${1:-examples/chenillard.s19}"
