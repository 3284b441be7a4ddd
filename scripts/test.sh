#!/usr/bin/env bash
# Builds Spectrane and runs its whole test suite. Usage: scripts/test.sh [default|asan|tsan]
# Installs the Debian packages it needs first (quick when they are there; skipped when
# SPECTRANE_DEPS_READY=1). SPECTRANE_WERROR=ON turns warnings into errors, as CI does.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-default}

[ "${SPECTRANE_DEPS_READY:-0}" = 1 ] || bash scripts/install-deps.sh
case "$preset" in
    default) dir=build ;;
    *) dir=build-$preset ;;
esac
cmake --preset "$preset" -DSPECTRANE_WERROR="${SPECTRANE_WERROR:-OFF}" >/dev/null
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export TSAN_OPTIONS=${TSAN_OPTIONS:-halt_on_error=1:second_deadlock_stack=1}
cmake --build "$dir"
ctest --test-dir "$dir" --output-on-failure -j "$(nproc)"
