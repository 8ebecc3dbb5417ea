#!/usr/bin/env bash
# Builds the game and makes its Debian package with CPack:
#   scripts/package.sh                           -> build/tav_<version>_<arch>.deb
#   sudo apt install ./build/tav_1.0.0_amd64.deb  (pulls in Qt and the fonts)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
export LANG=C.UTF-8
cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)" --target tav tav_compressed_docs
rm -f build/tav_*.deb
# Not the umask's whim: the staged files and folders get Debian's modes.
(cd build && umask 022 && cpack -G DEB >/dev/null)
deb=$(ls build/tav_*.deb)
echo "package: $deb ($(du -h "$deb" | cut -f1))"
