#!/usr/bin/env bash
# Sets up, builds and runs every test: once in a normal build, once in a
# build without the windows (-DQUILLO_GUI=OFF), once under
# AddressSanitizer and UndefinedBehaviorSanitizer; then runs every fuzz
# target for a short while (FUZZ_SECONDS each, default 20) and fails on a
# finding.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=$(nproc)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs")
# Without the windows: what needs no display still builds and passes.
cmake -S . -B build-nogui -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILLO_GUI=OFF -DQUILLO_BENCH=OFF
cmake --build build-nogui -j "$jobs"
(cd build-nogui && ctest --output-on-failure -j "$jobs")
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILLO_SANITIZE=ON -DQUILLO_BENCH=OFF
cmake --build build-asan -j "$jobs"
(cd build-asan && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure -j "$jobs")
bash scripts/fuzz.sh all "${FUZZ_SECONDS:-20}"
