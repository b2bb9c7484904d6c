#!/usr/bin/env bash
# Installs every Debian package Velmora needs to build, run and test.
# Idempotent: when everything is present it only checks and returns.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang-format
  clang libclang-rt-dev
  qt6-base-dev qt6-qpa-plugins qt6-translations-l10n
  libzip-dev libdeflate-dev zlib1g-dev zip unzip
  imagemagick
  xvfb xdotool x11-utils xclip libxcb1-dev
  fonts-ipafont-gothic
  fp-utils-3.2.2
  dpkg-dev file desktop-file-utils shared-mime-info
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
as_root=()
if [ "$(id -u)" -ne 0 ]; then
  as_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
