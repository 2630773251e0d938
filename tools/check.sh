#!/usr/bin/env bash
# The test command: set up, configure, build and run every test, as CI does.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
cmake --preset ci >/dev/null
cmake --build --preset ci
ctest --preset ci
