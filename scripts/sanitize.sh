#!/usr/bin/env bash
# Builds everything with AddressSanitizer (leak checks included) and
# UndefinedBehaviorSanitizer in build/asan, benchmarks off, and runs the unit,
# GL and end-to-end tests of that tree under one Xvfb; the end-to-end tests
# drive the sanitized program. Any sanitizer report fails the run: the
# sanitizers stop the process at the first error, and the test output and the
# programs' logs are searched for reports as well. Leaks inside third-party
# libraries are suppressed by tests/sanitizer/lsan.supp; nothing in this
# repository is. Called by scripts/test.sh (SANITIZE=0 skips it there).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${root}/build/asan"
flags="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"

# Exported before the build: test discovery runs the test binaries already.
# Absolute suppression path: the tests run in their own build folders.
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:abort_on_error=0:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=${root}/tests/sanitizer/lsan.supp:print_suppressions=0"
# The leak check at exit delays the program's end after Escape by a fraction
# of a second, by more on a busy machine.
export E2E_QUIT_SECONDS=5

cmake -S "${root}" -B "${build}" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTHALORIN_BUILD_BENCH=OFF -DTHALORIN_ASSET_SWEEP=ON \
    -DCMAKE_C_FLAGS="${flags}" -DCMAKE_CXX_FLAGS="${flags}" \
    -DCMAKE_EXE_LINKER_FLAGS="${flags}" -DCMAKE_SHARED_LINKER_FLAGS="${flags}" > /dev/null
cmake --build "${build}" -j"$(nproc)"

# Logs older than this run must not count.
stamp="${build}/sanitize.stamp"
touch "${stamp}"
output="${build}/sanitize-ctest.log"
status=0
"${root}/scripts/headless.sh" ctest --test-dir "${build}" --output-on-failure -j"$(nproc)" 2>&1 |
    tee "${output}" || status=$?

# halt_on_error already fails the process that reports; this also catches a
# report that a test swallowed, in any test's output or any program's log.
pattern="ERROR: AddressSanitizer|ERROR: LeakSanitizer|runtime error:"
mapfile -t logs < <(find "${build}/Testing/Temporary" "${build}/tests" -type f -name '*.log' \
    -newer "${stamp}")
if grep -E -q "${pattern}" "${output}" "${logs[@]}"; then
    echo "sanitize: sanitizer reports found:" >&2
    grep -E -m 3 "${pattern}" "${output}" "${logs[@]}" >&2 || true
    exit 1
fi
exit "${status}"
