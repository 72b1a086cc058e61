#!/usr/bin/env bash
# Sets up, builds and runs every test: a g++ build, then a clang build with AddressSanitizer and
# UndefinedBehaviorSanitizer that also builds the fuzz targets and replays their corpora.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
jobs=${JOBS:-2}

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=g++
cmake --build build -j "$jobs"
ctest --test-dir build -j "$jobs" --output-on-failure

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
  -DKORVAN_SANITIZE=ON -DKORVAN_FUZZ=ON -DKORVAN_BUILD_BENCH=OFF
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan -j "$jobs" --output-on-failure
