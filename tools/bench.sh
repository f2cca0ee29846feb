#!/usr/bin/env bash
# Builds the benchmarks with optimisation (build/bench) and runs them: step(),
# the history (its cost, going back, a long run of 10^9 instructions), the
# ELF loader, and (on an Xvfb display when there is none) the time from a
# step to the views redrawn.
# Extra arguments go to Google Benchmark, e.g.
#   tools/bench.sh --benchmark_repetitions=10
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake -S . -B build/bench -DTAMRIX_BENCH=ON -DCMAKE_BUILD_TYPE=Release \
  -DTAMRIX_TESTS=OFF -DTAMRIX_SANITIZE=OFF -DTAMRIX_GUI=ON >/dev/null
cmake --build build/bench --target tamrix_bench tamrix_bench_vues -j2
build/bench/tamrix_bench --benchmark_filter=-BM_longue \
  --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@"
# The long run through the history (10^9 instructions, tens of seconds):
# once.
build/bench/tamrix_bench --benchmark_filter=BM_longue "$@"
# From a step to the views redrawn: the real window, on a display.
vues=(build/bench/tamrix_bench_vues --benchmark_repetitions=5
  --benchmark_report_aggregates_only=true "$@")
if [ -n "${DISPLAY:-}" ]; then
  "${vues[@]}"
else
  xvfb-run -a -s "-screen 0 1280x1024x24" "${vues[@]}"
fi
