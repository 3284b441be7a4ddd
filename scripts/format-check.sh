#!/usr/bin/env bash
# Checks that every C++ file of the repository is formatted as .clang-format says.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -- '*.cpp' '*.h' | xargs clang-format --dry-run -Werror
echo "clang-format: all files formatted"
