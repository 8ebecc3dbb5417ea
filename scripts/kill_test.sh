#!/usr/bin/env bash
# The kill test: the program plays by itself (TAV_UNATTENDED=1, offscreen) on
# a scratch data folder and is killed with SIGKILL at a random moment, then
# started again, which takes the saved game up. After every kill it checks
# that the saved game and the statistics read back (nothing refused, nothing
# put aside), that every deal the program said it had filed is in the
# statistics, and that the saved game on disk is the last one it wrote (so
# at most the action being shown is lost). Then the same on a full disk and
# on a read-only folder, where every start must also say that it cannot
# save, and nothing written before may change or go missing.
#
#   scripts/kill_test.sh [kills] [kills on a full disk] [kills on a read-only folder]
#
# Defaults: 200 30 30, TERMS=10 runs ended by SIGTERM, each of which must
# close the window itself with its game saved, and PAIRS=5 times two copies
# started together, of which exactly one is told the game is already open
# and saves nothing. The full disk and the read-only folder are tmpfs mounts
# (root, or a user namespace); without them the full disk is a file-size
# limit (ulimit -f) and the read-only folder a folder without write
# permission (not for root). Run by hand or in a soak, not by the tests.
# TAV=path/to/tav picks the program (default build/tav); LIMIT=seconds bounds
# the whole run (default 1200). Exits non-zero at the first fault.
set -uo pipefail
cd "$(dirname "$0")/.."
TAV=${TAV:-build/tav}
KILLS=${1:-200} FULL_KILLS=${2:-30} RO_KILLS=${3:-30}
LIMIT=${LIMIT:-1200}
[ -x "$TAV" ] || { echo "kill_test: no program at $TAV (build it first)" >&2; exit 2; }
TAV=$(realpath "$TAV")

scratch=$(mktemp -d /tmp/tav-kill.XXXXXX)
mounted=""
cleanup() {
    [ -n "${pid:-}" ] && kill -KILL "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    [ -n "$mounted" ] && umount "$scratch/data" 2>/dev/null
    chmod -R u+w "$scratch" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT
export XDG_DATA_HOME=$scratch/data XDG_CONFIG_HOME=$scratch/config QT_QPA_PLATFORM=offscreen TAV_UNATTENDED=1
mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME/tav"
# No pauses: as many actions as the program can make between two kills.
printf '[table]\ndeal_speed=0\npause=0\n' >"$XDG_CONFIG_HOME/tav/tav.conf"
if mount -t tmpfs -o size=256m tmpfs "$XDG_DATA_HOME" 2>/dev/null; then mounted=1; fi

started=$(date +%s)
fail() {
    echo "kill_test: FAULT: $*" >&2
    echo "kill_test: the last run's messages:" >&2
    tail -n 5 "$scratch/run.err" >&2
    exit 1
}
folder() { dirname "$(find "$XDG_DATA_HOME" -name tav.lock -o -name statistics.txt | head -n 1)"; }
# Whole deal lines of the statistics (a last line cut short is not one).
deal_lines() { [ -f "$1/statistics.txt" ] && grep -c '^deal .*' "$1/statistics.txt" || echo 0; }
check_statistics() {
    local f=$1/statistics.txt
    [ -f "$f" ] || return 0
    head -n 1 "$f" | grep -qx 'tav statistics 2' || fail "statistics header: $(head -n 1 "$f")"
    # Every whole line after the first is a deal (six places, six scores); a
    # last line without its line end was cut short by the kill and is not counted.
    sed -n "2,$(wc -l <"$f")p" "$f" | grep -qvE '^deal [0-9]+( [1-6]){6}( -?[0-9]+){6}$' &&
        fail "a damaged line in the statistics"
}

runs=0 saves=0 filed_total=0 not_last=0 told=0
declare -a save_us save_bytes
# One run: start, let it play for a random moment, kill it. Sets `filed`
# (deal lines the run said it appended) and `last_bytes` (its last save's size).
run_once() {
    local lo_ms=$1 hi_ms=$2
    "$TAV" 2>"$scratch/run.err" &
    pid=$!
    sleep "$(awk -v lo="$lo_ms" -v hi="$hi_ms" -v r="$RANDOM" 'BEGIN { printf "%.3f", (lo + (hi - lo) * r / 32767) / 1000 }')"
    kill -0 "$pid" 2>/dev/null || fail "the program ended by itself"
    kill -KILL "$pid"
    wait "$pid" 2>/dev/null
    pid=""
    runs=$((runs + 1))
    filed=$(awk '/^tav: deal filed, /{ n += $4 } END { print n + 0 }' "$scratch/run.err")
    last_bytes=$(awk '/^tav: game saved, /{ b = $4 } END { print b + 0 }' "$scratch/run.err")
    while read -r bytes us; do
        save_bytes+=("$bytes")
        save_us+=("$us")
        saves=$((saves + 1))
    done < <(awk '/^tav: game saved, /{ print $4, $6 }' "$scratch/run.err")
    grep -q '无法读取' "$scratch/run.err" && fail "a kept file was refused: $(grep '无法读取' "$scratch/run.err")"
    [ -n "$(find "$XDG_DATA_HOME" -name '*.bad*')" ] && fail "a kept file was put aside"
    return 0
}
in_time() { [ $(($(date +%s) - started)) -lt "$LIMIT" ]; }

# ---- plain kills ----
for ((i = 1; i <= KILLS; i++)); do
    in_time || fail "out of time after $((i - 1)) kills"
    dir=$(folder)
    before=$( [ "$dir" != . ] && deal_lines "$dir" || echo 0)
    had_game=$( [ "$dir" != . ] && [ -f "$dir/saved-game.txt" ] && echo 1 || echo 0)
    run_once 300 2500
    dir=$(folder)
    [ "$dir" != . ] || fail "no data folder after a run"
    check_statistics "$dir"
    after=$(deal_lines "$dir")
    filed_total=$((filed_total + filed))
    # Every deal filed is there; one more when the kill fell between the append and its report.
    [ "$after" -ge $((before + filed)) ] && [ "$after" -le $((before + filed + 1)) ] ||
        fail "statistics: $before deals before, $filed filed, $after after"
    # A run killed before it was under way (a long game takes a while to read) is not asked.
    if [ "$had_game" = 1 ] && grep -q -E '^tav: (game saved|deal filed)' "$scratch/run.err" &&
        ! grep -q 'saved game taken up' "$scratch/run.err"; then
        fail "the saved game was not taken up"
    fi
    if [ "$last_bytes" -gt 0 ] && [ "$(stat -c %s "$dir/saved-game.txt")" != "$last_bytes" ]; then
        not_last=$((not_last + 1))  # killed between a save and its report
    fi
done
plain_deals=$(deal_lines "$(folder)")
echo "kill_test: $KILLS kills: $plain_deals deals filed ($filed_total reported), $saves saves," \
    "$not_last kills between a save and its report; nothing refused, nothing missing"

# ---- SIGTERM (a shutdown): the program closes by itself, its game saved ----
TERMS=${TERMS:-10}
for ((i = 1; i <= TERMS; i++)); do
    in_time || fail "out of time in the SIGTERM test"
    dir=$(folder)
    before=$(deal_lines "$dir")
    "$TAV" 2>"$scratch/run.err" &
    pid=$!
    sleep "$(awk -v r="$RANDOM" 'BEGIN { printf "%.3f", 0.8 + 1.5 * r / 32767 }')"
    kill -TERM "$pid"
    for ((t = 0; t < 100 && $(kill -0 "$pid" 2>/dev/null && echo 1 || echo 0); t++)); do sleep 0.1; done
    kill -0 "$pid" 2>/dev/null && fail "SIGTERM: the program did not end within 10 s"
    wait "$pid"
    rc=$?
    pid=""
    runs=$((runs + 1))
    [ "$rc" = 0 ] || fail "SIGTERM: exit status $rc"
    [ -e "$dir/tav.lock" ] && fail "SIGTERM: the lock was left behind"
    grep -q 'saved game taken up' "$scratch/run.err" || fail "SIGTERM: the saved game was not taken up"
    filed=$(awk '/^tav: deal filed, /{ n += $4 } END { print n + 0 }' "$scratch/run.err")
    [ "$(deal_lines "$dir")" = $((before + filed)) ] || fail "SIGTERM: statistics"
    last_bytes=$(awk '/^tav: game saved, /{ b = $4 } END { print b + 0 }' "$scratch/run.err")
    [ "$(stat -c %s "$dir/saved-game.txt")" = "$last_bytes" ] || fail "SIGTERM: the last save is not the one on disk"
done
echo "kill_test: $TERMS times SIGTERM: each closed the window itself (exit 0), its last save on disk"

# ---- two copies started together: one keeps the files, the other is told ----
PAIRS=${PAIRS:-5}
for ((i = 1; i <= PAIRS; i++)); do
    in_time || fail "out of time in the two-copies test"
    dir=$(folder)
    before=$(deal_lines "$dir")
    "$TAV" 2>"$scratch/one.err" &
    one=$!
    "$TAV" 2>"$scratch/two.err" &
    two=$!
    sleep 2
    kill -TERM "$one" "$two"
    wait "$one" "$two"
    runs=$((runs + 2))
    told_open=$(cat "$scratch/one.err" "$scratch/two.err" | grep -c '已经打开')
    [ "$told_open" = 1 ] || fail "two copies: $told_open of them said the game is already open"
    filed=$(cat "$scratch/one.err" "$scratch/two.err" | awk '/^tav: deal filed, /{ n += $4 } END { print n + 0 }')
    [ "$(deal_lines "$dir")" = $((before + filed)) ] || fail "two copies: statistics"
    grep -q '已经打开' "$scratch/one.err" && keeper=two || keeper=one
    grep -q 'game saved' "$scratch/$( [ $keeper = one ] && echo two || echo one).err" && fail "two copies: the second one saved"
    last_bytes=$(awk '/^tav: game saved, /{ b = $4 } END { print b + 0 }' "$scratch/$keeper.err")
    [ "$(stat -c %s "$dir/saved-game.txt")" = "$last_bytes" ] || fail "two copies: the saved game is not the keeper's last"
done
echo "kill_test: $PAIRS times two copies together: one told, the other's files whole"

# ---- the same with no room left, then with no writing allowed ----
limited_kills() {  # $1 what, $2 kills
    local dir snapshot_stats snapshot_game
    dir=$(folder)
    snapshot_stats=$(cat "$dir/statistics.txt")
    snapshot_game=$(cat "$dir/saved-game.txt")
    for ((i = 1; i <= $2; i++)); do
        in_time || fail "out of time in the $1 test"
        run_once 500 2000
        grep -q '无法保存' "$scratch/run.err" && told=$((told + 1))
        check_statistics "$dir"
        # Nothing written before is lost: the statistics only grow, the
        # saved game reads back (checked at the next start) and is whole.
        case $(cat "$dir/statistics.txt") in "$snapshot_stats"*) ;; *) fail "$1: the statistics lost lines" ;; esac
        [ -s "$dir/saved-game.txt" ] || fail "$1: the saved game is gone"
        [ "$1" = "read-only" ] && [ "$(cat "$dir/saved-game.txt")" != "$snapshot_game" ] && fail "read-only: the saved game changed"
    done
    # Every start that had something to save said it could not.
    echo "kill_test: $1: $2 kills, $told told that saving failed, $(deal_lines "$dir") deals kept (had $(printf '%s\n' "$snapshot_stats" | grep -c '^deal'))"
    [ "$told" -gt 0 ] || fail "$1: the player was never told"
}

dir=$(folder)
if [ "$FULL_KILLS" -gt 0 ]; then
    told=0
    if [ -n "$mounted" ]; then
        # Filled to the last byte: nothing can be saved now.
        dd if=/dev/zero of="$XDG_DATA_HOME/filler" bs=4k 2>/dev/null
        limited_kills "full disk" "$FULL_KILLS"
        rm -f "$XDG_DATA_HOME/filler"
    else
        # A file-size limit just above the files as they are, the signal it sends ignored.
        trap '' XFSZ
        (ulimit -f $(( ($(stat -c %s "$dir/saved-game.txt") + 1023) / 1024 )); limited_kills "full disk (file-size limit)" "$FULL_KILLS") || exit 1
        trap - XFSZ
    fi
fi
if [ "$RO_KILLS" -gt 0 ]; then
    told=0
    if [ -n "$mounted" ]; then
        mount -o remount,ro "$XDG_DATA_HOME" || fail "cannot make the folder read-only"
        limited_kills "read-only" "$RO_KILLS"
        mount -o remount,rw "$XDG_DATA_HOME"
    elif [ "$(id -u)" != 0 ]; then
        chmod -R a-w "$XDG_DATA_HOME"
        limited_kills "read-only" "$RO_KILLS"
        chmod -R u+w "$XDG_DATA_HOME"
    else
        echo "kill_test: read-only folder skipped: root without a tmpfs mount writes anywhere"
    fi
fi
if [ "$saves" -gt 0 ]; then
    printf '%s\n' "${save_us[@]}" | sort -n | awk '{ a[NR] = $1 } END { printf "kill_test: a save takes %d us (median), %d us (99th), %d us (most)\n", a[int(NR/2)+1], a[int(NR*0.99)+1], a[NR] }'
    printf '%s\n' "${save_bytes[@]}" | sort -n | awk '{ a[NR] = $1 } END { printf "kill_test: a saved game is %d bytes (median), %d bytes (most)\n", a[int(NR/2)+1], a[NR] }'
fi
echo "kill_test: $runs runs in $(($(date +%s) - started)) s: passed"
