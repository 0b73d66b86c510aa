#!/usr/bin/env bash
# Installs the Debian packages the build needs, but only those that are missing.
# Usage: scripts/deps.sh [extra package ...]
set -euo pipefail
packages=(g++ cmake ninja-build pkg-config googletest libgtest-dev libgmock-dev
          qt6-base-dev libgl-dev fonts-dejavu-core fonts-wqy-microhei clang libclang-rt-14-dev binutils
          dpkg-dev librsvg2-bin desktop-file-utils appstream man-db
          libelf-dev zlib1g-dev libssl-dev qt6-tools-dev qt6-l10n-tools
          qt6-translations-l10n nlohmann-json3-dev "$@")
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
