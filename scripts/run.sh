#!/usr/bin/env bash
# Builds Tessaly and starts it. Without a display it says so and exports the default
# pattern instead: a picture, an SVG drawing and the turning instructions.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target tessaly tessaly-export

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/bin/tessaly "$@"
fi

echo "No display is available (neither DISPLAY nor WAYLAND_DISPLAY is set), so Tessaly"
echo "cannot open its window. Exporting the default pattern instead."
out="$PWD/export-out"
mkdir -p "$out"
build/bin/tessaly-export build/bin/default.kst \
  --svg "$out/default.svg" --png "$out/default.png" --instructions "$out/default.csv"
echo "The default pattern was exported to $out"
