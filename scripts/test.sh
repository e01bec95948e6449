#!/usr/bin/env bash
# Builds everything, checks the naming convention and runs the whole test suite: once
# normally, and the core tests once more under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSALY_WERROR=ON \
  -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
cmake --build build -j"$jobs"
# the naming convention: what clang-tidy checks (.clang-tidy), and no two names that differ only
# in case; the compiler's own warnings are the build's business
scripts/check_names.sh
run-clang-tidy -quiet -p build -j"$jobs" -extra-arg=-w "$PWD/src/.*\.cpp$" >build/clang-tidy.log 2>&1 ||
  { grep -E "error:" build/clang-tidy.log; echo "clang-tidy: names break the convention"; exit 1; }
ctest --test-dir build --output-on-failure -j"$jobs"

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTESSALY_CORE_ONLY=ON \
  -DTESSALY_SANITIZE=ON -DTESSALY_WERROR=ON >/dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"
