#!/usr/bin/env bash
# Installs the Debian packages Spectrane needs to build, test and run. Idempotent: when every
# package is already there it only asks dpkg and returns.
set -euo pipefail

packages=(
    cmake ninja-build pkg-config g++ clang
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev qt6-l10n-tools qt6-translations-l10n
    libpng-dev liblcms2-dev nlohmann-json3-dev
    fonts-ipafont-gothic fonts-liberation fonts-dejavu-core
    xvfb openbox xdotool x11-apps x11-utils python3
    dpkg-dev lintian appstream
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
