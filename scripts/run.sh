#!/usr/bin/env bash
# Sets up, builds and opens the model editor on a bundled example.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)" --target quillomodel
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display to open the editor on: printing the example instead (see README.md for --render)."
  exec ./build/apps/quillomodel --info examples/robot.md4
fi
exec ./build/apps/quillomodel examples/robot.md4 "$@"
