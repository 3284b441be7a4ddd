#!/usr/bin/env bash
# Runs the end-to-end scenarios: the real program on a private X display with a window manager,
# driven with real input. Usage: scripts/e2e.sh [SCENARIO ...]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build build
python3 tests/e2e/run_e2e.py build "$@"
