#!/usr/bin/env bash
# Installs every Debian package the build and the tests need, when it is missing.
# Non-interactive and idempotent; run as root (or with sudo available) on Debian 12.
set -euo pipefail

packages=(
    build-essential
    cmake
    pkg-config
    git
    googletest
    libgtest-dev
    libgmock-dev
    libbenchmark-dev
    libpng-dev
    clang-14
    libclang-rt-14-dev
)

missing=()
for pkg in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$pkg")
    fi
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

echo "setup: installing ${missing[*]}"
sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then
    sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
