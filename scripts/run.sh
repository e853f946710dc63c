#!/usr/bin/env bash
# Sets up, builds and opens the model editor on a bundled example.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)" --target quillomodel
exec ./build/apps/quillomodel examples/robot.md4 "$@"
