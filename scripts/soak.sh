#!/usr/bin/env bash
# The soak: 100,000 consecutive deals of one game with every invariant checked
# after every action (a few minutes). Extra arguments go to tav-sim, e.g.
#   scripts/soak.sh --seed 42 --rules m=on,d=on
# DEALS=N changes the number of deals. Exits non-zero at the first fault.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)" --target tav-sim
exec ./build/tools/tav-sim --deals "${DEALS:-100000}" --check "$@"
