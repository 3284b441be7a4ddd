#!/usr/bin/env bash
# Brings translations/spectrane_en.ts up to date with the sources: new texts are added as
# unfinished (translate them with Qt Linguist or by hand), texts no longer used are dropped.
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)
"$lupdate" -no-obsolete -locations none -source-language ja -target-language en src \
    -ts translations/spectrane_en.ts
