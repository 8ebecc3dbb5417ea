#!/usr/bin/env bash
# Start-up figures of the game beside a bare Qt window, measured the only
# fair way on a busy machine: N starts of each, taken in turn, every start
# with empty settings and data folders (a first start), on the display in
# $DISPLAY. Prints the minimum and the median of each figure and the game's
# ratios to the bare window. Usage: scripts/startup.sh [N] (default 20).
set -euo pipefail
n=${1:-20}
probe=${PROBE:-build/tav_startup_probe}
[[ -x $probe ]] || { echo "build $probe first" >&2; exit 2; }
[[ -n ${DISPLAY:-} ]] || { echo "needs a display (DISPLAY)" >&2; exit 2; }
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
for ((i = 0; i < n; ++i)); do
  for mode in bare game; do
    rm -rf "$home/config" "$home/data"
    XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" TAV_LAUNCH_NS=$(date +%s%N) \
      "$probe" "$mode" --quick 2>/dev/null | grep ' mapped ' || true
  done
done | awk '
  { sub(":", "", $1); m[$1, ++k[$1]] = $3; f[$1, k[$1]] = $7; r[$1, k[$1]] = $10 }
  function stat(a, who, what,   i, c, v, t) {
    c = k[who]; for (i = 1; i <= c; ++i) v[i] = a[who, i] + 0
    for (i = 2; i <= c; ++i) { t = v[i]; j = i - 1; while (j > 0 && v[j] > t) { v[j + 1] = v[j]; --j } v[j + 1] = t }
    return what == "min" ? v[1] : (c % 2 ? v[(c + 1) / 2] : (v[c / 2] + v[c / 2 + 1]) / 2)
  }
  END {
    for (w = 0; w < 2; ++w) {
      who = w ? "game" : "bare"
      printf "%s: mapped min %.1f median %.1f ms, first frame min %.1f median %.1f ms, rss median %d KiB (%d starts)\n",
        who, stat(m, who, "min"), stat(m, who, "med"), stat(f, who, "min"), stat(f, who, "med"), stat(r, who, "med"), k[who]
    }
    printf "game / bare: mapped %.2f, first frame %.2f (medians); resident memory %+.1f MiB\n",
      stat(m, "game", "med") / stat(m, "bare", "med"), stat(f, "game", "med") / stat(f, "bare", "med"),
      (stat(r, "game", "med") - stat(r, "bare", "med")) / 1024
  }'
