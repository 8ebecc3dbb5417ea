# Sourced by the command-line tests: failures counted, a run's output kept
# in $out and $err, and the checks every program's command line passes.
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
run() { "$@" >"$out" 2>"$err"; status=$?; }

# PROGRAM ARGS... refused: exit status 2, nothing on stdout, the usage
# (`usage`, a pattern) on stderr.
expect_refused() {
  usage=$1 program=$2
  shift 2
  run "$program" "$@"
  [ "$status" -eq 2 ] || fail "'$*' exits with $status, not 2"
  [ -s "$out" ] && fail "'$*' printed on stdout: $(cat "$out")"
  grep -q "$usage" "$err" || fail "'$*' shows no usage on stderr: $(cat "$err")"
}

# --version prints "NAME VERSION"; --help prints on stdout only, every long
# option it lists the manual page lists, and no other.
expect_version_and_help() {
  program=$1 name=$2 version=$3 manpage=$4
  run "$program" --version
  [ "$status" -eq 0 ] || fail "--version exits with $status"
  [ "$(cat "$out")" = "$name $version" ] || fail "--version prints '$(cat "$out")', not '$name $version'"
  run "$program" --help
  [ "$status" -eq 0 ] || fail "--help exits with $status"
  [ -s "$err" ] && fail "--help printed on stderr: $(cat "$err")"
  from_help=$(grep -o -- '--[a-z][a-z-]*' "$out" | sort -u)
  from_man=$(grep -o -- '\\-\\-[a-z][a-z\\-]*' "$manpage" | sed 's/\\//g' | sort -u)
  [ -n "$from_help" ] || fail "--help lists no options"
  [ "$from_help" = "$from_man" ] || fail "--help lists [$(echo $from_help)] but the manual page [$(echo $from_man)]"
}

passed() {
  if [ "$failures" -eq 0 ]; then echo "$1: all checks passed"; fi
  [ "$failures" -eq 0 ]
}
