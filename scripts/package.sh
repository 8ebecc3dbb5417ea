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
debs=(build/tav_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  echo "package.sh: expected one build/tav_*.deb from cpack, found: ${debs[*]}" >&2
  exit 1
fi
deb=${debs[0]}
echo "package: $deb ($(du -h "$deb" | cut -f1))"
