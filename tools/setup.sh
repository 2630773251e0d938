#!/usr/bin/env bash
# Installs the Debian packages the project builds, tests and runs with. Quiet and quick
# when everything is present; safe to run any number of times.
set -euo pipefail

packages=(
  # toolchain
  clang libclang-rt-14-dev cmake ninja-build pkg-config
  # test and benchmark frameworks
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  # platform layer
  libcairo2-dev libpango1.0-dev libfontconfig-dev libsdl2-dev libjpeg62-turbo-dev
  # fonts the program asks for, and Arabic-script fallbacks
  fonts-wine fonts-noto-core fonts-farsiweb
  # peers the tests compare against, and the display for end-to-end tests
  mdbtools sqlite3 xvfb xdotool x11-xkb-utils xauth
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
