#!/bin/sh
# The installed program's command line, run with no display at all: a window
# attempt would abort instead of answering. Also checks that the manual page
# describes the same options as --help.
#   command_line_test.sh TAV VERSION MANPAGE
set -u
tav=$1 version=$2 manpage=$3
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

"$tav" --bogus >"$out" 2>"$err"; status=$?
[ "$status" -eq 2 ] || fail "--bogus exits with $status, not 2"
[ -s "$out" ] && fail "--bogus printed on stdout: $(cat "$out")"
grep -q "^tav: Unknown option 'bogus'" "$err" || fail "--bogus gives no reason: $(cat "$err")"
grep -q "^Usage: tav \[options\]" "$err" || fail "--bogus shows no usage on stderr"

"$tav" stray >/dev/null 2>&1; status=$?
[ "$status" -eq 2 ] || fail "a stray argument exits with $status, not 2"

"$tav" --version >"$out" 2>"$err"; status=$?
[ "$status" -eq 0 ] || fail "--version exits with $status"
[ "$(cat "$out")" = "tav $version" ] || fail "--version prints '$(cat "$out")', not 'tav $version'"

"$tav" --help >"$out" 2>"$err"; status=$?
[ "$status" -eq 0 ] || fail "--help exits with $status"
[ -s "$err" ] && fail "--help printed on stderr: $(cat "$err")"

# Every long option --help lists, the manual page lists, and no other.
from_help=$(grep -o -- '--[a-z][a-z-]*' "$out" | sort -u)
from_man=$(grep -o -- '\\-\\-[a-z][a-z-]*' "$manpage" | sed 's/\\//g' | sort -u)
[ -n "$from_help" ] || fail "--help lists no options"
[ "$from_help" = "$from_man" ] || fail "--help lists [$(echo $from_help)] but the manual page [$(echo $from_man)]"

if [ "$failures" -eq 0 ]; then echo "command line: all checks passed"; fi
[ "$failures" -eq 0 ]
