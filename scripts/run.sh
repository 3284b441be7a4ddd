#!/usr/bin/env bash
# Builds Spectrane and starts it. Installs the Debian packages it needs first.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build build
exec build/src/app/spectrane "$@"
