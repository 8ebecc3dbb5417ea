#!/usr/bin/env bash
# Installs what the build and the tests need on Debian or Ubuntu, only what is
# missing; uses sudo when not root. Every command the scripts and the tests
# call comes from these packages or from Debian's essential set (coreutils,
# findutils, diffutils, grep, sed, gzip, tar, dpkg, bash, dash).
set -euo pipefail
packages=(cmake g++ make ninja-build pkg-config qt6-base-dev qt6-svg-dev libxkbcommon-dev libgl-dev
          qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools  # the English translation (lrelease)
          qt6-translations-l10n                             # Qt's own dialogs and buttons in Chinese
          libboost1.81-dev                                  # Boost.JSON, Asio and Beast (the protocol, the server)
          libssl-dev                                        # TLS for the server (Asio's SSL streams)
          libsqlite3-dev                                    # the server's journal
          qt6-websockets-dev                                # the desktop program joining or hosting a table
          nodejs npm                                        # the browser page's build (npm ci, the pinned tsc)
          chromium chromium-driver python3-selenium         # the browser page's tests in a headless browser
          libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev clang-format clang-tidy
          fonts-noto-cjk fonts-liberation2 fonts-lxgw-wenkai fonts-arphic-ukai fonts-dejavu-core
          fonts-dejavu-extra
          binutils mawk  # readelf and awk in the package checks
          dpkg-dev file desktop-file-utils appstream lintian)  # making and checking the .deb
# Installed means installed: a package removed with its configuration kept is
# still known to dpkg (and `dpkg -s` succeeds for it), but its files are gone.
# NodeSource's nodejs carries its own npm and conflicts with Debian's: an npm
# on the PATH is npm enough.
missing=()
for p in "${packages[@]}"; do
  [ "$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null)" = installed ] && continue
  [ "$p" = npm ] && command -v npm >/dev/null 2>&1 && continue
  missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null 2>&1; then
      echo "setup.sh: these packages are missing and sudo is not installed; as root run:" >&2
      echo "  apt-get update && apt-get install --no-install-recommends ${missing[*]}" >&2
      exit 1
    fi
    sudo=(sudo)
  fi
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -qq
  # Through env: sudo drops the caller's environment, so no question waits for
  # an answer. Ubuntu names clang's runtime libraries differently: without that
  # one, the fuzz targets do not link, but everything the tests need installs.
  install=("${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends)
  "${install[@]}" "${missing[@]}" \
    || "${install[@]}" \
         $(for p in "${missing[@]}"; do [ "$p" = libclang-rt-14-dev ] || echo "$p"; done)
fi
