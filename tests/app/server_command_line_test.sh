#!/bin/sh
# The table server's command line: refused options, --version, --help naming
# the same options as the manual page, and a start on a loopback port that
# prints where it listens and stops on SIGTERM with status 0.
#   server_command_line_test.sh TAV_SERVER VERSION MANPAGE
set -u
server=$1 version=$2 manpage=$3
out=$(mktemp) err=$(mktemp) data=$(mktemp -d)
trap 'rm -rf "$out" "$err" "$data"' EXIT
. "$(dirname "$0")/cli_support.sh"

for args in "--bogus" "stray" "" "--listen" "--listen nonsense" "--listen 127.0.0.1" "--listen 127.0.0.1:99999" \
            "--listen 127.0.0.1:0 --tls-cert only-one.pem" "--listen [::1]:1 --tls-cert c" "--data /tmp" \
            "--listen 127.0.0.1:0 --message-rate 0"; do
  # shellcheck disable=SC2086 # each case is a list of arguments
  expect_refused '^usage: tav-server' "$server" $args
done
expect_version_and_help "$server" tav-server "$version" "$manpage"

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

passed "server command line"
