#!/usr/bin/env bash
# Checks that every folder includes only what the layering allows: each
# folder's own headers and those of the folders below it, and only the Qt
# modules and test libraries of its row. Dependencies go one way:
#   board <- render <- search <- dialogs <- app
# Fails, naming each include outside its folder's row.
# Usage: scripts/check-layers.sh   (from anywhere in the repository)
set -euo pipefail
cd "$(dirname "$0")/.."

qt_include=${QT_INCLUDE_DIR:-/usr/include/x86_64-linux-gnu/qt6}

# folder -> what its files may include: folders of the project, Qt modules
# (QtCore, QtGui, QtWidgets, QtPrintSupport, QtTest) and test libraries (gtest, gmock,
# benchmark, fuzzer). The standard library and the system's C headers are
# allowed everywhere.
declare -A allowed=(
  [board]="board"
  [render]="board render QtCore QtGui"
  [search]="board render search QtCore QtGui"
  [dialogs]="board render search dialogs QtCore QtGui QtWidgets"
  [app]="board render search dialogs app QtCore QtGui QtWidgets QtPrintSupport"
  [testing]="testing"
  [bench]="board render search dialogs app testing bench QtCore QtGui QtWidgets benchmark"
  [fuzz]="board render search testing fuzz QtCore QtGui fuzzer"
  [tests]="board render search dialogs app testing bench tests support QtCore QtGui QtWidgets QtTest gtest gmock"
)

# The Qt module that holds a header such as QImage, or nothing.
qt_module() {
  local found
  found=$(compgen -G "$qt_include/*/$1" | head -n 1) || true
  [[ -n "$found" ]] && basename "$(dirname "$found")"
}

status=0
for folder in "${!allowed[@]}"; do
  rules=" ${allowed[$folder]} "
  while IFS=: read -r file line include; do
    target=$(sed -E 's/^#include[[:space:]]*[<"]([^>"]*)[>"].*/\1/' <<<"$include")
    case "$target" in
      */*) what=${target%%/*} ;;
      Q*) what=$(qt_module "$target") ;;
      *) continue ;;  # the standard library
    esac
    [[ -z "$what" ]] && continue
    # Within the project, "x/..." names a folder; <sys/...> and the like are the system's.
    if [[ "$target" == */* && ! -d "$what" && "$what" != gtest && "$what" != gmock &&
          "$what" != benchmark && "$what" != fuzzer && "$what" != Qt* ]]; then
      continue
    fi
    if [[ "$rules" != *" $what "* ]]; then
      echo "$file:$line: $folder/ may not include $target ($what)" >&2
      status=1
    fi
  done < <(git grep -nE '^#include[[:space:]]*[<"]' -- "$folder/*.cpp" "$folder/*.h" 2>/dev/null || true)
done
if ((status == 0)); then echo "layering: every include is allowed"; fi
exit "$status"
