#!/usr/bin/env bash
# Builds the step() benchmark with optimisation (build/bench) and runs it.
# Extra arguments go to Google Benchmark, e.g.
#   tools/bench.sh --benchmark_repetitions=10
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake -S . -B build/bench -DTAMRIX_BENCH=ON -DCMAKE_BUILD_TYPE=Release \
  -DTAMRIX_TESTS=OFF -DTAMRIX_SANITIZE=OFF -DTAMRIX_GUI=OFF >/dev/null
cmake --build build/bench --target tamrix_bench -j2
build/bench/tamrix_bench --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true "$@"
