#!/usr/bin/env bash
# Installs what is missing, builds the program (Release) and launches it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DTHALORIN_BUILD_TESTS=OFF \
  -DTHALORIN_BUILD_BENCH=OFF > /dev/null
cmake --build build/release -j"$(nproc)" --target thalorin
exec build/release/app/thalorin "$@"
