#!/usr/bin/env bash
# Checks the formatting of every C++ file with clang-format and runs the
# clang-tidy checks of .clang-tidy (among them: no function over 60 lines)
# over the program's sources and the testing library, and the length of
# functions over the tests and the benchmark, in parallel.
# Needs a configured build/ with compile_commands.json (made if missing).
# Usage: scripts/lint.sh [--fix]   (--fix reformats instead of checking)
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [[ "${1:-}" == "--fix" ]]; then
  clang-format -i "${files[@]}"
  exit 0
fi
echo "-- clang-format"
clang-format --dry-run --Werror "${files[@]}"
echo "-- clang-tidy"
[[ -f build/compile_commands.json ]] || cmake -S . -B build -G Ninja >/dev/null
status=0
git ls-files 'board/*.cpp' 'render/*.cpp' 'search/*.cpp' 'dialogs/*.cpp' 'app/*.cpp' 'testing/*.cpp' |
  xargs -P "${JOBS:-$(nproc)}" -n 4 clang-tidy -p build --quiet --warnings-as-errors='*' \
    >build/clang-tidy.log 2>&1 || status=$?
# The tests and the benchmark: only the length of their functions.
git ls-files 'tests/*.cpp' 'bench/*.cpp' |
  xargs -P "${JOBS:-$(nproc)}" -n 4 clang-tidy -p build --quiet --warnings-as-errors='*' \
    --checks='-*,readability-function-size' >>build/clang-tidy.log 2>&1 || status=$?
grep -v ' warnings\? generated\.$' build/clang-tidy.log || true
exit "$status"
