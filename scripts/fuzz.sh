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
  log=build-fuzz/$name.log
  echo "-- $name for ${seconds}s"
  if "$target" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix=build-fuzz/ "$work" "${seeds[@]}" >"$log" 2>&1; then
    tail -n 12 "$log"
  else
    status=$?
    # The report from its first line (the stack comes before the statistics),
    # then where the input that failed was written.
    grep -m1 -A60 -E '^==[0-9]+==|ALARM|deadly signal' "$log" || tail -n 60 "$log"
    grep -E 'Test unit written|^Base64' "$log" || true
    exit "$status"
  fi
done
