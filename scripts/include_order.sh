#!/usr/bin/env bash
# Checks that every #include "…" of our C++ sources points one way: from a
# folder to its own folder or to a folder below it in the order below. Fails
# naming file, line and edge for any other include, and also when a known
# exception below no longer exists (so that list only ever shrinks).
#   scripts/include_order.sh                check this checkout
#   scripts/include_order.sh --root DIR     check the tree at DIR instead
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
while [ $# -gt 0 ]; do
  case "$1" in
    --root) [ $# -ge 2 ] || { echo "include_order.sh: --root needs a folder" >&2; exit 2; }
            root=$2; shift 2 ;;
    -h|--help) sed -n '2,7p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "include_order.sh: unknown option $1 (use --root DIR or nothing)" >&2; exit 2 ;;
  esac
done
cd "$root" || exit 2

# The allowed order, lowest first. A folder may include its own folder and any
# folder on an earlier line. Folders on one line joined by spaces sit side by
# side and include neither the other; joined by "+" they are one layer and may
# include each other. A folder not named here is refused until it is placed.
order=(
  "model web"         # the game as a value | the page a browser plays from (stands alone)
  "rules"             # what beats what, the gate, apply
  "round ai"          # places, scores, tributes | the computer seats
  "host"              # the driver: who decides at each seat, the computer seats run
  "surface"           # the table's text interface
  "store view"        # what is kept on disk | the table as a view of the game
  "net"               # the table as a server holds it, and its messages
  "server"            # the network server: its journal, sockets and program
  "session"           # one game at the table: picks, buttons, aids
  "app+ui"            # the window and main: one layer
  "tools+tests+bench" # programs, tests, benchmarks: may include anything
)

# Today's edges that go the wrong way, as "file header". The next steps of
# the layout work remove them; a new wrong edge is never added here.
known_exceptions=(
  # ui -> tools: the window draws cards with the card-art generator's library
  "ui/card_pictures.cpp tools/cardart/art.h"
)

# The same source listing as scripts/lint.sh: find, no git.
mapfile -t sources < <(
  find . \( -path './build*' -o -path ./third_party -o -name '*_autogen' -o -name '.?*' \) -prune \
    -o -type f \( -name '*.cpp' -o -name '*.h' \) -print | sed 's|^\./||' | LC_ALL=C sort)
if [ ${#sources[@]} -eq 0 ]; then
  echo "include_order.sh: found no C++ sources under $PWD" >&2
  exit 1
fi

awk -v order="$(printf '%s\n' "${order[@]}" | sed 's/[[:space:]]*#.*//')" \
      -v known="$(printf '%s\n' "${known_exceptions[@]}")" '
  BEGIN {
    n = split(order, lines, "\n")
    for (i = 1; i <= n; i++) {
      together = (lines[i] ~ /\+/)
      m = split(lines[i], names, /[ +]+/)
      for (j = 1; j <= m; j++) if (names[j] != "") { level[names[j]] = i; joined[names[j]] = together }
    }
    k = split(known, ex, "\n")
    for (i = 1; i <= k; i++) if (ex[i] != "") { listed[ex[i]] = 1; seen[ex[i]] = 0 }
    bad = 0; edges = 0
  }
  /^[[:space:]]*#[[:space:]]*include[[:space:]]*"/ {
    file = FILENAME; line = FNR
    header = $0; sub(/^[^"]*"/, "", header); sub(/".*/, "", header)
    # A bare name is the including file'"'"'s neighbour.
    if (header !~ /\// && file ~ /\//) { dir = file; sub(/\/[^\/]*$/, "", dir); header = dir "/" header }
    from = file; sub(/\/.*/, "", from)
    to = header; sub(/\/.*/, "", to)
    edges++
    edge = file " " header
    if (!(from in level) || !(to in level)) {
      printf "%s:%s: %s includes %s: folder %s has no place in the include order\n", file, line, file, header, (from in level) ? to : from
      bad++; next
    }
    ok = (from == to) || level[to] < level[from] || (level[to] == level[from] && joined[from])
    if (ok) next
    if (edge in listed) { seen[edge]++; next }
    printf "%s:%s: %s includes %s: %s -> %s goes the wrong way\n", file, line, file, header, from, to
    bad++
  }
  END {
    standing = 0
    for (e in seen) {
      if (seen[e] > 0) standing++
      else { printf "known exception \"%s\" no longer exists: remove it from scripts/include_order.sh\n", e; bad++ }
    }
    printf "include order: %d edges read, %d known exceptions still standing, %d problems\n", edges, standing, bad
    exit (bad > 0)
  }' "${sources[@]}"
