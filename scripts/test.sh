#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors and runs
# every test. BUILD_DIR, FERRULITH_SANITIZE and CTEST_ARGS select other builds.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh

build_dir=${BUILD_DIR:-build-test}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DFERRULITH_WERROR=ON -DFERRULITH_SANITIZE="${FERRULITH_SANITIZE:-}" >/dev/null
cmake --build "$build_dir"

# The editor tests open real X11 windows: give them a virtual display.
runner=()
if [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null; then
  runner=(xvfb-run -a -s "-screen 0 1280x1024x24")
fi
"${runner[@]}" ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)" ${CTEST_ARGS:-}
