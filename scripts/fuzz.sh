#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time,
# starting from the seed corpus in fuzz/corpus plus the shared real boards.
# The targets are the board reader, the layer passes and one per search; at
# the default 45 s each the whole run stays within about six minutes.
# Usage: scripts/fuzz.sh [SECONDS]   (per target; JOBS sets the build's jobs)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-45}
jobs=${JOBS:-$(nproc)}

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVANTREL_BUILD_FUZZ=ON -DVANTREL_BUILD_TESTS=OFF -DVANTREL_BUILD_BENCH=OFF \
  -DVANTREL_BUILD_APP=OFF >/dev/null
cmake --build build-fuzz -j "$jobs"

for target in build-fuzz/fuzz/fuzz_*; do
  [[ -f "$target" && -x "$target" ]] || continue
  name=$(basename "$target")
  work=build-fuzz/corpus-$name
  mkdir -p "$work"
  seeds=(fuzz/corpus)
  [[ -d ../shared/boards ]] && seeds+=(../shared/boards/*/)
  echo "-- $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix=build-fuzz/ "$work" "${seeds[@]}" 2>&1 | tail -n 12
done
