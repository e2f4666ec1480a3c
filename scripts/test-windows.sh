#!/usr/bin/env bash
# Installs what is missing, cross-builds the Windows module and the tests with
# warnings as errors, and runs every test under Wine (in a Wine prefix inside
# the build folder). BUILD_DIR and CTEST_ARGS select other builds and tests.
#
# The Windows editor is compared with the pictures the Linux editor draws for
# the same values: they are drawn first with the Linux host program of
# LINUX_BUILD_DIR (scripts/test.sh's build, made here when missing).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/setup.sh windows

build_dir=${BUILD_DIR:-build-win-test}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DFERRULITH_WERROR=ON >/dev/null
cmake --build "$build_dir"

linux_dir=${LINUX_BUILD_DIR:-build-test}
if [ ! -x "$linux_dir/host/ferrulith-host" ]; then
  cmake -S . -B "$linux_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFERRULITH_WERROR=ON >/dev/null
  cmake --build "$linux_dir" --target ferrulith ferrulith-host
fi
pictures="$build_dir/linux-pictures"
mkdir -p "$pictures"
grep -v '^#' tests/editor/linux_pictures.txt | while read -r name arguments; do
  [ -n "$name" ] || continue
  # shellcheck disable=SC2086 # the arguments are words
  "$linux_dir/host/ferrulith-host" --bundle "$linux_dir/ferrulith.vst3" \
    --editor-png "$pictures/$name.png" $arguments >/dev/null
done

# Wine draws the editor through the X server: give it a virtual display, and
# one Wine server, with its services and desktop, for the whole run instead of
# one per test program. Started here, the services hold no test's output open.
runner=()
if [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null; then
  runner=(xvfb-run -a -s "-screen 0 1280x1024x24")
fi
WINEPREFIX="$(cd "$build_dir" && pwd)/wineprefix"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"${runner[@]}" bash -c '
  /usr/lib/wine/wineserver -p
  /usr/lib/wine/wine64 wineboot >/dev/null 2>&1
  ctest --test-dir "$1" --output-on-failure -j "$(nproc)" $2
  status=$?
  /usr/lib/wine/wineserver -k
  exit $status' run-tests "$build_dir" "${CTEST_ARGS:-}"
