#!/usr/bin/env bash
# Installs what is missing, cross-builds the Windows module and the tests with
# warnings as errors, and runs every test under Wine (in a Wine prefix inside
# the build folder). BUILD_DIR and CTEST_ARGS select other builds and tests.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh windows

build_dir=${BUILD_DIR:-build-win-test}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DFERRULITH_WERROR=ON >/dev/null
cmake --build "$build_dir"
ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)" ${CTEST_ARGS:-}
