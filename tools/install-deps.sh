#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the package need, only those missing.
# Runs as root, or through sudo for anyone else.
set -euo pipefail
pkgs=(make build-essential cmake ninja-build pkg-config qt6-base-dev libpng-dev zlib1g-dev
      qt6-charts-dev qt6-svg-dev libgtest-dev libgmock-dev libbenchmark-dev clang
      libclang-rt-14-dev fonts-dejavu-core libx11-dev libxdamage-dev dpkg-dev file
      desktop-file-utils appstream qt6-translations-l10n shared-mime-info)
missing=()
for p in "${pkgs[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "Run this as root, or install sudo first." >&2; exit 1; }
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
fi
