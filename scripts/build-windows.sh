#!/usr/bin/env bash
# Installs what is missing and cross-builds the Windows bundle:
#   build-win/ferrulith.vst3/Contents/x86_64-win/ferrulith.vst3  (the DLL)
#   build-win/ferrulith.vst3/Contents/Resources/
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh windows

build_dir=${BUILD_DIR:-build-win}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DFERRULITH_BUILD_TESTS=OFF >/dev/null
cmake --build "$build_dir"

echo "Windows plug-in bundle: $build_dir/ferrulith.vst3"
