#!/usr/bin/env bash
# Installs, from Debian's archive, whatever the build, the demo and the tests
# need and this machine lacks. Quick and silent when everything is there.
# `setup.sh windows` adds the cross compiler for the Windows module and Wine
# to run its tests.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libsndfile1-dev libcli11-dev
  libx11-dev libxcb1-dev libx11-xcb-dev libcairo2-dev libexpat1-dev libpng-dev
  xvfb xauth fonts-dejavu-core
  clang libclang-rt-dev
)
if [ "${1:-}" = windows ]; then
  # GoogleTest comes as sources (googletest, above) and is built for Windows.
  packages=(cmake ninja-build googletest g++-mingw-w64-x86-64-posix wine64)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
