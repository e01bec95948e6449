#!/usr/bin/env bash
# Builds Tessaly and runs it: exports the default pattern as a picture, an SVG drawing and
# turning instructions, and says where the files went.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target tessaly-export

out="$PWD/export-out"
mkdir -p "$out"
build/bin/tessaly-export build/bin/default.kst \
  --svg "$out/default.svg" --png "$out/default.png" --instructions "$out/default.csv"
echo "The default pattern was exported to $out"
