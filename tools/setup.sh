#!/usr/bin/env bash
# Installs the Debian packages the project builds, tests and runs with. Quiet and quick
# when everything is present; safe to run any number of times.
set -euo pipefail

packages=(
  # toolchain
  clang libclang-rt-14-dev cmake ninja-build pkg-config ccache
  # test and benchmark frameworks
  googletest libgtest-dev libgmock-dev libbenchmark-dev libsqlite3-dev
  # platform layer
  libcairo2-dev libpango1.0-dev libfontconfig-dev libsdl2-dev libjpeg62-turbo-dev
  # the JPEG decoder is checked against the library's own command-line tools
  libjpeg-turbo-progs
  # fonts the program asks for, and Arabic-script fallbacks
  fonts-wine fonts-noto-core fonts-farsiweb
  # peers the tests compare against, and the display for end-to-end tests
  mdbtools sqlite3 xvfb xdotool x11-xkb-utils xauth x11-apps xclip
  # runs the npm reader the Jet writer's files are checked with
  nodejs
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Debian's nodejs comes without npm; other builds of nodejs bring it and conflict with the
# package, so it is installed only when the command is missing.
if ! command -v npm >/dev/null 2>&1; then
  echo "setup: installing npm"
  export DEBIAN_FRONTEND=noninteractive
  apt-get install -y -qq --no-install-recommends npm >/dev/null
fi

# The npm packages of the peer checks, from their lock file.
node_checks="$(cd "$(dirname "${BASH_SOURCE[0]}")/../tests/node" && pwd)"
if [[ ! -d "$node_checks/node_modules" ]]; then
  echo "setup: installing the npm packages of tests/node"
  (cd "$node_checks" && npm ci --silent)
fi
