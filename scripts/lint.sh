#!/usr/bin/env bash
# Checks the layout of every C++ source with clang-format and runs clang-tidy
# over the engine sources; exits non-zero when either finds anything.
#   scripts/lint.sh         check only
#   scripts/lint.sh --fix   rewrite the layout in place (clang-format -i), then
#                           run clang-tidy as usual
# Needs build/compile_commands.json (cmake --preset default writes it) and the
# Debian packages clang-format and clang-tidy (version 14 or later).
set -euo pipefail
cd "$(dirname "$0")/.."

fix=0
for arg in "$@"; do
  case "$arg" in
    --fix) fix=1 ;;
    -h|--help) sed -n '2,8p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "lint.sh: unknown option $arg (use --fix or nothing)" >&2; exit 2 ;;
  esac
done

clang_format="${CLANG_FORMAT:-clang-format}"
clang_tidy="${CLANG_TIDY:-clang-tidy}"
jobs="${LINT_JOBS:-2}"

missing=()
command -v "$clang_format" >/dev/null 2>&1 || missing+=("$clang_format (Debian package clang-format)")
command -v "$clang_tidy" >/dev/null 2>&1 || missing+=("$clang_tidy (Debian package clang-tidy)")
if [ ${#missing[@]} -gt 0 ]; then
  for m in "${missing[@]}"; do echo "lint.sh: $m is not installed" >&2; done
  echo "lint.sh: install them with: apt-get install clang-format clang-tidy" >&2
  exit 1
fi
if [ ! -f build/compile_commands.json ]; then
  echo "lint.sh: build/compile_commands.json is missing; run 'cmake --preset default' first" >&2
  exit 1
fi

# Every C++ source except generated or third-party ones, listed with find so a
# source archive or a machine without git lints the same files as a checkout:
# the build folders, third_party/ and AUTOMOC's *_autogen/ folders are left out.
list_sources() {
  find "$@" \( -path './build*' -o -path ./third_party -o -name '*_autogen' -o -name '.?*' \) -prune \
    -o -type f \( -name '*.cpp' -o -name '*.h' \) -print | sed 's|^\./||' | LC_ALL=C sort
}
mapfile -t sources < <(list_sources .)
# The engine: what clang-tidy looks at (their headers come in through HeaderFilterRegex).
engine_dirs=(model rules ai round host surface store view session net)
mapfile -t engine < <(list_sources "${engine_dirs[@]}" | grep '\.cpp$' || true)
# Finding nothing means the script is looking in the wrong place, not a clean tree.
if [ ${#sources[@]} -eq 0 ] || [ ${#engine[@]} -eq 0 ]; then
  echo "lint.sh: found ${#sources[@]} C++ sources and ${#engine[@]} engine sources under $PWD; expected both" >&2
  exit 1
fi

status=0

if [ "$fix" -eq 1 ]; then
  echo "== clang-format: formatting ${#sources[@]} files"
  printf '%s\0' "${sources[@]}" | xargs -0 -r "$clang_format" -i || status=1
else
  echo "== clang-format: checking ${#sources[@]} files"
  if ! printf '%s\0' "${sources[@]}" | xargs -0 -r "$clang_format" --dry-run -Werror --ferror-limit=5; then
    echo "clang-format: the files above need formatting (scripts/lint.sh --fix does it)" >&2
    status=1
  fi
fi

echo "== clang-tidy: checking ${#engine[@]} engine files with $jobs jobs"
# Each file's report is printed in one piece so parallel runs do not mix, and
# without clang's "N warnings generated." counts of the suppressed warnings.
tidy_one='out=$("$0" -p build --quiet "$1" 2>&1); rc=$?
  printf "%s\n" "$out" | grep -v -E "^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$|^$" || true
  exit $rc'
if ! printf '%s\0' "${engine[@]}" | xargs -0 -r -n1 -P"$jobs" bash -c "$tidy_one" "$clang_tidy"; then
  echo "clang-tidy: found problems (see above)" >&2
  status=1
fi

if [ "$status" -eq 0 ]; then echo "== lint: clean"; fi
exit "$status"
