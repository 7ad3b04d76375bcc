#!/usr/bin/env bash
# Checks the formatting with clang-format and runs clang-tidy over the sources
# (needs a configured build/ with compile_commands.json).
set -euo pipefail
cd "$(dirname "$0")/.."
files=$(git ls-files '*.cpp' '*.h')
clang-format --dry-run --Werror $files
[[ -f build/compile_commands.json ]] || cmake -S . -B build -G Ninja >/dev/null
clang-tidy -p build --quiet $(git ls-files 'board/*.cpp' 'render/*.cpp' 'search/*.cpp' 'app/*.cpp')
