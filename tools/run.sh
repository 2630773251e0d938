#!/usr/bin/env bash
# Runs the reader on the sample collection: installs what it needs, builds the program and the
# sample database, and starts build/bin/velmora on the desktop from the folder that holds the
# sample tarsilo.mdb (the program finds its database in the current folder).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
cmake --preset ci >/dev/null
cmake --build --preset ci --target velmora sample_database
cd build/data
# The checked build reports the font libraries' process-lifetime caches as leaks at exit.
ASAN_OPTIONS=detect_leaks=0 exec ../bin/velmora
