#!/usr/bin/env bash
# Builds and runs the benchmarks; prints medians of repeated runs. Never part of the test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build build
for b in build/bench/*_bench; do
    "$b" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@" | grep -E '_median|^Benchmark|^-' || true
done
