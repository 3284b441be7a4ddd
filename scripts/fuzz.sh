#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, replays their seed corpora and fuzzes each for
# SPECTRANE_FUZZ_SECONDS (default 60). Usage: scripts/fuzz.sh
set -euo pipefail
cd "$(dirname "$0")/.."
[ "${SPECTRANE_DEPS_READY:-0}" = 1 ] || bash scripts/install-deps.sh
seconds=${SPECTRANE_FUZZ_SECONDS:-60}
CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DSPECTRANE_GUI=OFF -DSPECTRANE_BENCH=OFF -DSPECTRANE_FUZZ=ON >/dev/null
cmake --build build-fuzz --target fuzz_targets
for target in build-fuzz/tests/fuzz/*_fuzz; do
    name=$(basename "$target" _fuzz)
    corpus=tests/fuzz/corpus
    [ -d "tests/fuzz/corpus_$name" ] && corpus="tests/fuzz/corpus_$name"
    work=build-fuzz/tests/fuzz/work_$name
    mkdir -p "$work"
    echo "== $name: replaying $corpus, then fuzzing for ${seconds} s"
    "$target" -runs=0 "$corpus"
    "$target" -max_total_time="$seconds" -max_len=16384 -seed=1 -print_final_stats=1 \
        "$work" "$corpus" 2>&1 |
        tail -n 3
done
