#!/usr/bin/env bash
# Installs what the build and the tests need on Debian or Ubuntu, only what is
# missing; uses sudo when not root.
set -euo pipefail
packages=(cmake g++ make ninja-build pkg-config qt6-base-dev qt6-svg-dev libxkbcommon-dev libgl-dev
          qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools  # the English translation (lrelease)
          libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev clang-format clang-tidy
          fonts-noto-cjk fonts-liberation2 fonts-lxgw-wenkai fonts-arphic-ukai fonts-dejavu-core
          fonts-dejavu-extra
          dpkg-dev file desktop-file-utils appstream lintian)  # making and checking the .deb
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" \
    || DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
         $(for p in "${missing[@]}"; do [ "$p" = libclang-rt-14-dev ] || echo "$p"; done)
fi
