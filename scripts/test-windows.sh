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

# One Wine session for the whole run: each test is a Wine process of its own,
# and a server that is shutting down as the next one starts can refuse it.
# The session's own services start here, detached from the output of the
# tests (whose runner would otherwise wait for them to end).
export WINEPREFIX="$PWD/$build_dir/wineprefix" WINEDEBUG=-all
/usr/lib/wine/wineserver -p
trap '/usr/lib/wine/wineserver -k || true' EXIT
/usr/lib/wine/wine64 wineboot >/dev/null 2>&1
ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)" ${CTEST_ARGS:-}
