#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test headless
# under Xvfb (unit, GL and end-to-end), then the same tests built with the
# address and undefined-behaviour sanitizers together with the sweep over every
# asset file (scripts/sanitize.sh; SANITIZE=0 skips it), then a short fuzzing
# run. FUZZ_SECONDS sets the fuzzing time per target (0 skips it).
# THALORIN_LONG_TESTS=1 makes the parameter sweep and the soak run their long
# forms (hours).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build/test -j"$(nproc)"

# One X server for the whole run.
scripts/headless.sh ctest --test-dir build/test --output-on-failure -j"$(nproc)"

if [ "${SANITIZE:-1}" != "0" ]; then
  scripts/sanitize.sh
fi

if [ "${FUZZ_SECONDS:-20}" != "0" ]; then
  FUZZ_SECONDS="${FUZZ_SECONDS:-20}" scripts/fuzz.sh
fi
