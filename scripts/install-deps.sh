#!/usr/bin/env bash
# Installs the Debian packages Locuscope builds, tests and fuzzes with, when any is missing.
# Quick and silent when everything is present.
set -euo pipefail

packages=(
    build-essential cmake ninja-build
    qt6-base-dev qt6-svg-dev qt6-image-formats-plugins libgif-dev zlib1g-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-liberation xvfb xauth
    shared-mime-info desktop-file-utils libxml2-utils dpkg-dev file
    clang libclang-rt-14-dev
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
if [[ $(id -u) -eq 0 ]]; then
    sudo=()
elif command -v sudo >/dev/null 2>&1; then
    sudo=(sudo)
else
    echo "Missing packages (${missing[*]}) and no root rights to install them." >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
