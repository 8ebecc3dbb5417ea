#!/bin/sh
# The table server's command line: refused options, --version, --help naming
# the same options as the manual page, and a start on a loopback port that
# prints where it listens and stops on SIGTERM with status 0.
#   server_command_line_test.sh TAV_SERVER VERSION MANPAGE
set -u
server=$1 version=$2 manpage=$3
out=$(mktemp) err=$(mktemp) data=$(mktemp -d)
trap 'rm -rf "$out" "$err" "$data"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for args in "--bogus" "stray" "" "--listen" "--listen nonsense" "--listen 127.0.0.1" "--listen 127.0.0.1:99999" \
            "--listen 127.0.0.1:0 --tls-cert only-one.pem" "--listen [::1]:1 --tls-cert c" "--data /tmp" \
            "--listen 127.0.0.1:0 --message-rate 0"; do
  # shellcheck disable=SC2086 # each case is a list of arguments
  "$server" $args >"$out" 2>"$err"; status=$?
  [ "$status" -eq 2 ] || fail "'$args' exits with $status, not 2"
  [ -s "$out" ] && fail "'$args' printed on stdout: $(cat "$out")"
  grep -q '^usage: tav-server' "$err" || fail "'$args' shows no usage on stderr: $(cat "$err")"
done

"$server" --version >"$out" 2>"$err"; status=$?
[ "$status" -eq 0 ] || fail "--version exits with $status"
[ "$(cat "$out")" = "tav-server $version" ] || fail "--version prints '$(cat "$out")', not 'tav-server $version'"

"$server" --help >"$out" 2>"$err"; status=$?
[ "$status" -eq 0 ] || fail "--help exits with $status"
[ -s "$err" ] && fail "--help printed on stderr: $(cat "$err")"
from_help=$(grep -o -- '--[a-z][a-z-]*' "$out" | sort -u)
from_man=$(grep -o -- '\\-\\-[a-z][a-z\\-]*' "$manpage" | sed 's/\\//g' | sort -u)
[ -n "$from_help" ] || fail "--help lists no options"
[ "$from_help" = "$from_man" ] || fail "--help lists [$(echo $from_help)] but the manual page [$(echo $from_man)]"

# A real start on a free loopback port, stopped by SIGTERM (at most 10 s).
"$server" --listen 127.0.0.1:0 --data "$data" >"$out" 2>"$err" &
pid=$!
n=0
while ! grep -q '^listening on 127\.0\.0\.1:[0-9][0-9]*$' "$out" && [ $n -lt 100 ]; do sleep 0.1; n=$((n + 1)); done
grep -q '^listening on 127\.0\.0\.1:[0-9][0-9]*$' "$out" || fail "no 'listening on' line: $(cat "$out" "$err")"
[ -f "$data/tables.sqlite" ] || fail "--data made no journal in $data"
kill -TERM "$pid"
n=0
while kill -0 "$pid" 2>/dev/null && [ $n -lt 100 ]; do sleep 0.1; n=$((n + 1)); done
if kill -0 "$pid" 2>/dev/null; then
  kill -KILL "$pid"
  fail "SIGTERM did not stop the server in 10 s"
fi
wait "$pid"; status=$?
[ "$status" -eq 0 ] || fail "after SIGTERM the server exits with $status, not 0"

if [ "$failures" -eq 0 ]; then echo "server command line: all checks passed"; fi
[ "$failures" -eq 0 ]
