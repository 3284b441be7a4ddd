#!/usr/bin/env bash
# Builds Spectrane and starts it. Installs the Debian packages it needs first.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build build
if [ -x build/src/app/spectrane ]; then
    exec build/src/app/spectrane "$@"
fi
echo "Built the core library, its tests and benchmarks (build/). The window program is not part of this build yet."
