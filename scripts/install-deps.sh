#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the game and the tests need.
# Packages already present are skipped; needs root or sudo.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config
  libirrlicht-dev libbox2d-dev libsfml-dev libopenal-dev libsdl2-dev
  libgl-dev libgl1-mesa-dri libx11-dev libxcursor-dev libxxf86vm-dev
  libgtest-dev libexpat1-dev zlib1g-dev libpng-dev nlohmann-json3-dev
  xvfb xauth xfonts-base x11-utils xdotool
  imagemagick sox libsox-fmt-all python3-pil fonts-dejavu-core
)

missing=()
for pkg in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$pkg")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
