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

# The host is named: a build folder first configured when the host was
# Linux-only keeps it switched off in its cache, and with it the host's and
# the editor's Windows tests.
build_dir=${BUILD_DIR:-build-win-test}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DFERRULITH_WERROR=ON \
  -DFERRULITH_BUILD_HOST=ON >/dev/null
cmake --build "$build_dir"

linux_dir=${LINUX_BUILD_DIR:-build-test}
if [ ! -x "$linux_dir/host/ferrulith-host" ]; then
  cmake -S . -B "$linux_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFERRULITH_WERROR=ON >/dev/null
  cmake --build "$linux_dir" --target ferrulith ferrulith-host
fi
pictures="$build_dir/linux-pictures"
mkdir -p "$pictures"
grep -v '^#' tests/host/linux_pictures.txt | while read -r name arguments; do
  [ -n "$name" ] || continue
  # shellcheck disable=SC2086 # the arguments are words
  "$linux_dir/host/ferrulith-host" --bundle "$linux_dir/ferrulith.vst3" \
    --editor-png "$pictures/$name.png" $arguments >/dev/null
done

# Wine draws the editor through the X server: the tests get a virtual
# display. One Wine session serves the whole run: each test is a Wine process
# of its own, and a server that is shutting down as the next one starts can
# refuse it. The session's own services and desktop start here, detached from
# the output of the tests (whose runner would otherwise wait for them to end).
runner=()
if [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null; then
  runner=(xvfb-run -a -s "-screen 0 1280x1024x24")
fi
WINEPREFIX="$(cd "$build_dir" && pwd)/wineprefix"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"${runner[@]}" bash -c '
  /usr/lib/wine/wineserver -p
  trap "/usr/lib/wine/wineserver -k || true" EXIT
  /usr/lib/wine/wine64 wineboot >/dev/null 2>&1
  ctest --test-dir "$1" --output-on-failure -j "$(nproc)" $2' run-tests "$build_dir" "${CTEST_ARGS:-}"
