#!/usr/bin/env bash
# The test command: set up, then configure, build and run every test with both compilers, as
# CI does: Clang with sanitizers and fuzz targets (ci), GCC with warnings as errors (gcc).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
for preset in ci gcc; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
