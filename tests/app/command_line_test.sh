#!/bin/sh
# The installed program's command line, run with no display at all: a window
# attempt says so in one line. Also checks that the manual page describes the
# same options as --help, and that the program finds its data folder under
# any name.
#   command_line_test.sh TAV VERSION MANPAGE
set -u
tav=$1 version=$2 manpage=$3
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
out=$(mktemp) err=$(mktemp) home=$(mktemp -d)
trap 'rm -rf "$out" "$err" "$home"' EXIT
. "$(dirname "$0")/cli_support.sh"

expect_refused '^Usage: tav \[options\]' "$tav" --bogus
grep -q "^tav: Unknown option 'bogus'" "$err" || fail "--bogus gives no reason: $(cat "$err")"
expect_refused '^Usage: tav \[options\]' "$tav" stray
expect_version_and_help "$tav" tav "$version" "$manpage"

# No display: one line on stderr and its own exit status, not Qt's abort.
run "$tav"
[ "$status" -eq 3 ] || fail "with no display it exits with $status, not 3"
[ "$(wc -l <"$err")" -eq 1 ] && grep -q "^tav: no display" "$err" || fail "with no display it says: $(cat "$err")"

# Runs the program offscreen under another name until `file` has gone (a
# damaged saved game is moved aside as it is read), at most 15 s; false if it stays.
reads_away() {
  name=$1 file=$2
  case $tav in /*) target=$tav ;; *) target=$PWD/$tav ;; esac
  ln -sf "$target" "$home/$name"
  mkdir -p -m 700 "$home/run"
  XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/run" QT_QPA_PLATFORM=offscreen \
    "$home/$name" >/dev/null 2>&1 &
  pid=$!
  n=0
  while [ -e "$file" ] && [ $n -lt 150 ]; do sleep 0.1; n=$((n + 1)); done
  kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null
  [ ! -e "$file" ]
}
# The folder an earlier version used under this name is carried over ...
mkdir -p "$home/data/tav-renamed"
echo "not a saved game" >"$home/data/tav-renamed/saved-game.txt"
reads_away tav-renamed "$home/data/tav-renamed/saved-game.txt" || fail "a renamed program leaves its old folder's saved game"
ls "$home/data/tav/tav/saved-game.txt"* >/dev/null 2>&1 || fail "the old folder's saved game is not in ~/.local/share/tav/tav"
# ... and a program under another name reads the same folder.
mkdir -p "$home/data/tav/tav"
echo "not a saved game" >"$home/data/tav/tav/saved-game.txt"
reads_away tav-other "$home/data/tav/tav/saved-game.txt" || fail "a renamed program does not read ~/.local/share/tav/tav"
[ -e "$home/data/tav-other" ] && fail "a renamed program made a folder of its own name"

passed "command line"
