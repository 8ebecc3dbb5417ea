#!/usr/bin/env bash
# shellcheck disable=SC2317  # the cases call the change functions through check
# scripts/include_order.sh passes today's tree and refuses each way an include
# can go wrong: every case runs the script with --root on a scratch copy of our
# sources with one change made, and checks its exit status and message.
#   include_order_test.sh SOURCE_DIR
set -u
src=${1:-$(dirname "$0")/../..}
script="$src/scripts/include_order.sh"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fresh_copy() {
  rm -rf "$scratch/tree" && mkdir "$scratch/tree" &&
    (cd "$src" && find . \( -path './build*' -o -path ./third_party -o -name '*_autogen' -o -name '.?*' \) -prune \
      -o -type f \( -name '*.cpp' -o -name '*.h' \) -print | tar -cf - -T -) | tar -xf - -C "$scratch/tree"
}
add_line() { printf '%s\n' "$2" >>"$scratch/tree/$1"; }

# The first known exception of the script, as "file header"; none once the
# layout work has removed them all.
exception=$(sed -n '/^known_exceptions=(/,/^)/p' "$script" | sed -n 's/^ *"\([^"]*\)".*/\1/p' | head -1)

failures=0
# check NAME EXPECTED_STATUS EXPECTED_TEXT CHANGE...: CHANGE runs in a fresh copy.
check() {
  local name=$1 want=$2 text=$3
  shift 3
  fresh_copy || { echo "FAIL $name: could not copy the sources"; failures=$((failures + 1)); return; }
  "$@"
  local out status
  out=$(bash "$script" --root "$scratch/tree" 2>&1)
  status=$?
  if [ "$status" -ne "$want" ] || ! grep -qF -- "$text" <<<"$out"; then
    echo "FAIL $name: wanted status $want and \"$text\", got status $status:"
    printf '%s\n' "$out" | sed 's/^/    /'
    failures=$((failures + 1))
  else
    echo "ok   $name"
  fi
}

check "today's tree passes" 0 " 0 problems" true

wrong_edge() { add_line model/cards.h '#include "ui/main_window.h"'; }
line=$(($(wc -l <"$src/model/cards.h") + 1))
check "an engine header including the window is refused" 1 \
  "model/cards.h:$line: model/cards.h includes ui/main_window.h: model -> ui goes the wrong way" wrong_edge

side_by_side() { add_line ai/view.h '#  include "round/places.h"'; }
check "folders side by side may not include each other" 1 \
  "ai/view.h includes round/places.h: ai -> round goes the wrong way" side_by_side

view_up() { add_line view/table_view.h '#include "session/session.h"'; }
check "the table view including the session above it is refused" 1 \
  "view/table_view.h includes session/session.h: view -> session goes the wrong way" view_up

view_store() { add_line view/table_view.h '#include "store/saved_game.h"'; }
check "the table view including what is kept on disk is refused" 1 \
  "view/table_view.h includes store/saved_game.h: view -> store goes the wrong way" view_store

neighbour() { add_line rules/play.h '#include "level.h"'; }
check "a bare name is the including file's neighbour" 0 " 0 problems" neighbour

new_folder() { mkdir -p "$scratch/tree/cloud" && add_line cloud/server.cpp '#include "model/seat.h"'; }
check "a folder with no place in the order is refused" 1 \
  "cloud/server.cpp includes model/seat.h: folder cloud has no place" new_folder

driver_net() { add_line host/driver.h '#include "net/table.h"'; }
check "the driver including the table server above it is refused" 1 \
  "host/driver.h includes net/table.h: host -> net goes the wrong way" driver_net

if [ -n "$exception" ]; then
  gone() {
    local file=${exception%% *} header=${exception#* }
    grep -vF "#include \"$header\"" "$src/$file" >"$scratch/tree/$file"
  }
  check "a known exception that no longer exists is refused" 1 \
    "known exception \"$exception\" no longer exists" gone
else
  echo "skip a known exception that no longer exists: the script lists none"
fi

if bash "$script" --bogus >/dev/null 2>&1; then
  echo "FAIL an unknown option is refused"; failures=$((failures + 1))
else
  echo "ok   an unknown option is refused"
fi

[ "$failures" -eq 0 ] && echo "include order: every case as expected"
exit $((failures > 0))
