#!/usr/bin/env bash
# Builds the Debian package of Tessaly (a release build, stripped) into dist/ and prints
# its name. Install it with: sudo apt install ./dist/tessaly_VERSION_amd64.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESSALY_BUILD_TESTS=OFF >/dev/null
cmake --build build-release -j"$(nproc)"
mkdir -p dist
(cd build-release && cpack -G DEB -B "$PWD/../dist" >/dev/null)
rm -rf dist/_CPack_Packages
ls dist/tessaly_*.deb
