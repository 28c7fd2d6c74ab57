#!/usr/bin/env bash
# Re-renders the reference views of the render regression test into
# tests/app/references/. References change only through this command: look at
# every image before you commit it.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build/test -j"$(nproc)" --target render_regression_gl_tests
THALORIN_UPDATE_REFERENCES=1 scripts/headless.sh \
  build/test/tests/app/render_regression_gl_tests --gtest_filter=RenderRegression.*
echo "Updated: $(ls tests/app/references/*.png | wc -l) references in tests/app/references/"
