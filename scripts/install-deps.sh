#!/usr/bin/env bash
# Installs what Vantrel needs to build, test and run, from Debian's archive only.
# Idempotent: it asks apt for nothing when every package is already there.
# Usage: scripts/install-deps.sh [--gui]   (--gui adds ImageMagick for screenshots)
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-dev clang-format clang-tidy
  locales
  fonts-liberation fonts-dejavu-core fonts-urw-base35 fonts-arphic-uming fonts-arphic-ukai
  fontconfig
  # The tests read the exported and printed PDF files with pdftoppm and pdftotext.
  poppler-utils
  # The package and its checks; Xvfb and xprop for the window names on X11.
  dpkg-dev desktop-file-utils libxml2-utils shared-mime-info groff-base lintian
  xvfb xauth x11-utils
)
if [[ "${1:-}" == "--gui" ]]; then
  packages+=(imagemagick)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -q
  "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
