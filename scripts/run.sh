#!/usr/bin/env bash
# Sets up, builds and runs the program's main job.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=g++ >/dev/null
cmake --build build -j "${JOBS:-2}" --target korvan-tool
build/korvan-tool catalogue
