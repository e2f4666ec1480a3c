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

# One Wine server for the whole run: each test is a Wine process of its own,
# and a server that is shutting down as the next one starts can refuse it.
wineserver=/usr/lib/wine/wineserver
export WINEPREFIX="$PWD/$build_dir/wineprefix"
"$wineserver" -p
trap '"$wineserver" -k || true' EXIT
ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)" ${CTEST_ARGS:-}
