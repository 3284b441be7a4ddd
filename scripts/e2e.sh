#!/usr/bin/env bash
# Runs the end-to-end scenarios: the real program on a private X display with a window manager,
# driven with real input. Usage: scripts/e2e.sh [SCENARIO ...]
# Uses the normal build in build/, building it first if needed.
set -euo pipefail
cd "$(dirname "$0")/.."
[ "${SPECTRANE_DEPS_READY:-0}" = 1 ] || bash scripts/install-deps.sh
[ -f build/CMakeCache.txt ] || cmake --preset default >/dev/null
cmake --build build
python3 tests/e2e/run_e2e.py build "$@"
