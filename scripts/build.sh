#!/usr/bin/env bash
# Installs what is missing, builds the plug-in bundle and the host, then renders
# the demo phrase through every factory preset and draws the editor.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh

build_dir=${BUILD_DIR:-build}
out_dir=${OUT_DIR:-out}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DFERRULITH_BUILD_TESTS=OFF -DFERRULITH_BUILD_BENCH=OFF >/dev/null
cmake --build "$build_dir"

echo "Plug-in bundle: $build_dir/ferrulith.vst3"
host="$build_dir/host/ferrulith-host"
if [ -x "$host" ]; then
  mkdir -p "$out_dir"
  "$host" --bundle "$build_dir/ferrulith.vst3" --demo "$out_dir"
  # The editor draws itself into the picture; no display is needed.
  "$host" --bundle "$build_dir/ferrulith.vst3" --editor-png "$out_dir/editor.png"
fi
