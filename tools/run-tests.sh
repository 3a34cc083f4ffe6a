#!/usr/bin/env bash
# Builds and runs every test: the normal build, the same suite built with
# address and undefined-behaviour checks, and each fuzz target over its seeds.
# This is the README's test command and what CI runs.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup-debian.sh

cmake -S . -B build -G Ninja
cmake --build build
ctest --test-dir build --output-on-failure -j2

# Qt keeps some allocations until exit on purpose, so leaks are judged only in
# the fuzz targets below, which hold no Qt.
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cmake -S . -B build-asan -G Ninja -DVELMAR_SANITIZE=ON
cmake --build build-asan
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 \
    ctest --test-dir build-asan --output-on-failure -j2

cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DVELMAR_FUZZ=ON \
    -DVELMAR_BUILD_GUI=OFF -DVELMAR_BUILD_TESTS=OFF
# Only the fuzz targets: the plain core and tools of this configuration are
# what the normal build already built and tested with gcc.
cmake --build build-fuzz --target fuzz_targets
ASAN_OPTIONS=abort_on_error=1 ctest --test-dir build-fuzz --output-on-failure -j2 -L fuzz
