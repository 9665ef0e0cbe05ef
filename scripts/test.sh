#!/usr/bin/env bash
# Sets everything up and runs every test. Safe to run again.
#   1. the normal build and every test;
#   2. the same suite built with AddressSanitizer + UndefinedBehaviorSanitizer;
#   3. a short run of every fuzz target (FUZZ_SECONDS each, default 20).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

cmake --preset default
cmake --build --preset default
ctest --preset default

cmake --preset asan
cmake --build --preset asan
ctest --preset asan

fuzz/run.sh
