#!/usr/bin/env bash
# Validates the desktop entry and the file type as the desktop will read
# them: desktop-file-validate and xmllint must have nothing to say, and the
# MIME database built from the file type alone must hold *.brd with a weight
# below the default 50 (other design tools' .brd files win their name) and
# text/plain as its parent.
# Usage: check-data-files.sh DESKTOP_FILE MIME_FILE
set -euo pipefail
desktop=$1
mime=$2

fail() {
  echo "check-data-files: $*" >&2
  exit 1
}

out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $out"
[[ -z "$out" ]] || fail "desktop-file-validate: $out"
xmllint --noout "$mime" || fail "xmllint rejects $mime"

data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
db=$data/mime
mkdir -p "$db/packages"
cp "$mime" "$db/packages/vantrel.xml"
out=$(XDG_DATA_DIRS=$data update-mime-database "$db" 2>&1) || fail "update-mime-database: $out"
[[ -z "$out" ]] || fail "update-mime-database: $out"

type=$(sed -n 's/^MimeType=\([^;]*\);$/\1/p' "$desktop")
[[ -n "$type" ]] || fail "$desktop names no MIME type"
weight=$(awk -F: -v type="$type" '$2 == type && $3 == "*.brd" { print $1 }' "$db/globs2")
[[ -n "$weight" ]] || fail "$type has no *.brd glob"
((weight < 50)) || fail "*.brd has weight $weight, not below the default 50"
grep -qx "$type text/plain" "$db/subclasses" || fail "$type is no sub-class of text/plain"
echo "check-data-files: $desktop and $mime are valid ($type, *.brd weight $weight)"
