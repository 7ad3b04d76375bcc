#!/usr/bin/env bash
# Builds the Debian package with CPack and checks it as it installs: lintian
# finds no error in it (its warnings are shown), unpacked into an empty folder
# its vantrel-batch replays the example board and dumps what is seen, its
# vantrel answers --version, the package names its libraries' packages as
# dependencies, its changelog's latest entry is its version, and the desktop
# entry, the file type, the icons and the manual pages are valid.
# Usage: scripts/package.sh [BUILD_DIR]   (default build; JOBS sets the build's jobs)
# The package is BUILD_DIR/vantrel_VERSION_ARCH.deb: `apt install ./BUILD_DIR/vantrel_*.deb`.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
jobs=${JOBS:-$(nproc)}

fail() {
  echo "package: $*" >&2
  exit 1
}

[[ -f "$build/CMakeCache.txt" ]] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j "$jobs"
rm -f "$build"/vantrel_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
debs=("$build"/vantrel_*.deb)
deb=${debs[0]}
[[ -f "$deb" ]] || fail "cpack made no package"
echo "-- $deb: $(stat -c %s "$deb") bytes"

# Debian's own checks: an error (E:) fails the package.
command -v lintian >/dev/null || fail "lintian is missing: bash scripts/install-deps.sh"
status=0
out=$(lintian --fail-on error "$deb" 2>&1) || status=$?
out=$(grep -v '^running with root privileges' <<<"$out" || true)
((status == 0)) || fail "lintian: $out"
[[ -z "$out" ]] || echo "$out"

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 libqt6printsupport6 libc6 fonts-liberation; do
  [[ "$depends" == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
for file in usr/bin/vantrel usr/bin/vantrel-batch usr/share/applications/vantrel.desktop \
  usr/share/mime/packages/vantrel.xml usr/share/icons/hicolor/scalable/apps/vantrel.svg \
  usr/share/icons/hicolor/scalable/mimetypes/application-x-vantrel-board.svg \
  usr/share/man/man1/vantrel.1.gz usr/share/man/man1/vantrel-batch.1.gz usr/share/doc/vantrel/copyright \
  usr/share/doc/vantrel/changelog.gz; do
  [[ -s "$root/$file" ]] || fail "the package lacks /$file"
done
zcat "$root/usr/share/doc/vantrel/changelog.gz" >"$root/changelog"
logged=$(dpkg-parsechangelog -l "$root/changelog" -S Version)
[[ "$logged" == "$(dpkg-deb -f "$deb" Version)" ]] || fail "the changelog's latest entry is $logged"

# The installed programs, linked to the system's Qt, run from where they lie.
printf 'open %s\nkey +\ndump %s\n' "$PWD/examples/demo/demo.brd" "$root/out" |
  QT_QPA_PLATFORM=offscreen "$root/usr/bin/vantrel-batch" - 2>/dev/null
state=$(tr -d ' \n' <"$root/out/state.json")
[[ "$state" == *'"HighlightMode":1,'* ]] || fail "vantrel-batch did not open the example board"
[[ "$state" == *'"errors":[],'* ]] || fail "vantrel-batch reported errors"
[[ -s "$root/out/top.png" ]] || fail "vantrel-batch drew no picture"
version=$(QT_QPA_PLATFORM=offscreen "$root/usr/bin/vantrel" --version)
[[ "$version" == "vantrel $(dpkg-deb -f "$deb" Version)" ]] || fail "vantrel --version says: $version"

bash packaging/check-data-files.sh "$root/usr/share/applications/vantrel.desktop" \
  "$root/usr/share/mime/packages/vantrel.xml"
xmllint --noout "$root"/usr/share/icons/hicolor/scalable/*/*.svg
for page in "$root"/usr/share/man/man1/*.1.gz; do
  warnings=$(zcat "$page" | groff -man -Tutf8 -ww -z 2>&1)
  [[ -z "$warnings" ]] || fail "$(basename "$page"): $warnings"
done
echo "-- $(basename "$deb") installs and runs ($version)"
