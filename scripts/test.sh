#!/usr/bin/env bash
# Sets everything up and runs every test. Safe to run again.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

cmake --preset default
cmake --build --preset default
ctest --preset default
