#!/usr/bin/env bash
# Installs what is missing, builds Vantrel and runs every test: the layering
# and formatting checks and clang-tidy, the plain build, its Debian package
# unpacked and run, the same tests under AddressSanitizer +
# UndefinedBehaviorSanitizer, and a bounded libFuzzer run of the board reader,
# the layer passes and the searches.
# Environment: FUZZ_SECONDS (default 45) per fuzz target, JOBS (default nproc).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

jobs=${JOBS:-$(nproc)}
fuzz_seconds=${FUZZ_SECONDS:-45}
export QT_QPA_PLATFORM=offscreen

echo "== layering: each folder includes only the folders and libraries of its row"
bash scripts/check-layers.sh

# A locale that writes numbers with a decimal comma, so that the reader's
# test of the decimal point runs (generated once; needs root).
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$' && [[ $(id -u) -eq 0 ]]; then
  localedef -i de_DE -f UTF-8 de_DE.UTF-8 || true
fi

echo "== build and test"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTREL_WERROR=ON >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs" --timeout 600

echo "== formatting and clang-tidy"
bash scripts/lint.sh

echo "== the Debian package, unpacked and run"
bash scripts/package.sh build

echo "== build and test with AddressSanitizer + UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTREL_SANITIZE=ON \
  -DVANTREL_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs" --timeout 900

echo "== fuzz the reader, the passes and the searches (${fuzz_seconds} s per target)"
bash scripts/fuzz.sh "$fuzz_seconds"
