#!/usr/bin/env bash
# Sets up, builds and runs every test: the layout and clang-tidy checks, the
# direction of the includes, engine and window tests, a short simulation, and
# the engine again under AddressSanitizer and UBSan, and the Debian package.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
# The same results whatever language the caller has chosen, also where that
# locale is not installed here: C.UTF-8 is built into the C library.
export QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 LC_ALL=C.UTF-8
unset LANGUAGE
# Qt wants a private runtime folder. The caller's may not exist here (a chroot,
# a container, su): then one of our own, not a failed mkdir in /run/user.
if [ -z "${XDG_RUNTIME_DIR:-}" ] || [ ! -d "$XDG_RUNTIME_DIR" ] || [ ! -O "$XDG_RUNTIME_DIR" ]; then
  export XDG_RUNTIME_DIR="/tmp/runtime-$(id -u)"
  mkdir -p -m 700 "$XDG_RUNTIME_DIR"
fi
cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)"

# The code's layout (clang-format) and the engine's clang-tidy checks.
echo "== lint"
scripts/lint.sh

# Includes point one way, from a folder down to the folders below it.
echo "== include order"
scripts/include_order.sh

# Whole deals with every invariant checked after every action.
echo "== simulation: 2000 deals with --check"
./build/tools/tav-sim --deals 2000 --check --seed 1

# The engine tests and a short simulation under the sanitizers; any report
# stops the run.
echo "== sanitizers: engine tests and 300 deals under AddressSanitizer and UBSan"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
cmake --preset asan >/dev/null
cmake --build --preset asan -j"$(nproc)" --target engine_tests tav-sim
./build-asan/engine_tests --gtest_brief=1
./build-asan/tools/tav-sim --deals 300 --check --seed 2 --rules m=on,d=on
unset ASAN_OPTIONS UBSAN_OPTIONS

# The Debian package: built, listed, its desktop files validated, lintian.
echo "== package"
scripts/check_package.sh

# Every engine and window test last, so the run ends with CTest's summary.
echo "== all tests"
ctest --preset default
