#!/usr/bin/env bash
# Sets up, builds and runs every test: engine and window tests, a short
# simulation, and the engine again under AddressSanitizer and UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
export QT_QPA_PLATFORM=offscreen LANG=C.UTF-8
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-/tmp/runtime-$(id -u)}"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)"
ctest --preset default
