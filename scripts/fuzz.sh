#!/usr/bin/env bash
# Builds the fuzz harnesses with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, then runs each for FUZZ_SECONDS (5 by default)
# over its corpus in fuzz/corpus/<name>/. Inputs the fuzzer finds go to a
# scratch folder, never into the corpus; a crash leaves its input in
# FUZZ_ARTIFACTS (build-fuzz/artifacts). FUZZERS chooses some of the harnesses;
# FUZZ_JOBS runs that many at once (1 by default).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh

build_dir=${BUILD_DIR:-build-fuzz}
CC=clang CXX=clang++ cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DFERRULITH_WERROR=ON -DFERRULITH_SANITIZE=address,undefined -DFERRULITH_FUZZ=ON \
  -DFERRULITH_BUILD_TESTS=OFF -DFERRULITH_BUILD_BENCH=OFF >/dev/null
cmake --build "$build_dir" --target fuzzers

seconds=${FUZZ_SECONDS:-5}
jobs=${FUZZ_JOBS:-1}
artifacts=${FUZZ_ARTIFACTS:-$build_dir/artifacts}
mkdir -p "$artifacts"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

run() {
  local name=$1
  mkdir -p "$scratch/$name"
  # 2 GB of memory at most: every input must stay far below that.
  if "$build_dir/fuzz/${name}_fuzz" -max_total_time="$seconds" -rss_limit_mb=2048 \
      -timeout=20 -print_final_stats=1 -artifact_prefix="$artifacts/${name}-" \
      "$scratch/$name" "fuzz/corpus/$name" >"$scratch/$name.log" 2>&1; then
    echo "$name: $(grep -o 'stat::number_of_executed_units: *[0-9]*' "$scratch/$name.log" | grep -o '[0-9]*$') inputs, nothing found"
  else
    tail -n 60 "$scratch/$name.log"
    echo "$name: FAILED (input saved in $artifacts)"
    return 1
  fi
}

names=(${FUZZERS:-processor controller uidescription png resource_lookup audio_file})
failed=0
for ((i = 0; i < ${#names[@]}; i += jobs)); do
  pids=()
  for name in "${names[@]:i:jobs}"; do
    run "$name" & pids+=($!)
  done
  for pid in "${pids[@]}"; do
    wait "$pid" || failed=1
  done
done
exit $failed
