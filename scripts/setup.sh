#!/usr/bin/env bash
# Installs the Debian packages the build needs, only when some are missing.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config git ccache python3 unzip
  zlib1g-dev libsqlite3-dev rapidjson-dev lzma-dev libstb-dev
  libgtest-dev libgmock-dev libbenchmark-dev libssl-dev liblzma-dev
  libluajit-5.1-dev libfreetype-dev libcurl4-openssl-dev fonts-dejavu-core
)

missing=()
for pkg in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$pkg")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
