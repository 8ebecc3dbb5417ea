#!/usr/bin/env bash
# Fuzzes the expression compiler and evaluator, the surface's modify
# command parser, the readers of the saved game, the game state and the
# statistics, a saved game taken up and played on (resume, from the
# saved games' seeds), and the network protocol's decoders with libFuzzer
# (clang, AddressSanitizer and UBSan), each for a bounded time, starting from the seed corpus of the texts the
# game uses (the state and saved-game seeds come from real games:
# tav-fuzz-seeds write tools/fuzz/corpus, after any change of their format):
#   scripts/fuzz.sh            # 120 s each
#   scripts/fuzz.sh 600        # 600 s each
# New inputs gather in build-fuzz/corpus/<target>; a crashing input is written
# to build-fuzz/findings/ and the script fails. Keep such an input in
# tools/fuzz/corpus/<target>/ once the fault is mended: the fuzz build replays
# that corpus as a test (ctest --preset fuzz).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-120}"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$(nproc)"
mkdir -p build-fuzz/findings
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
status=0
for target in expression modify state saved_game statistics resume protocol; do
  seeds="tools/fuzz/corpus/$target"
  [ "$target" = resume ] && seeds="tools/fuzz/corpus/saved_game"
  mkdir -p "build-fuzz/corpus/$target"
  log="build-fuzz/fuzz_$target.log"
  echo "== fuzz_$target for ${seconds}s"
  if ./build-fuzz/tools/fuzz_$target -max_total_time="$seconds" -print_final_stats=1 \
       -artifact_prefix="build-fuzz/findings/$target-" \
       "build-fuzz/corpus/$target" "$seeds" >"$log" 2>&1; then
    result="no finding"
  else
    result="FINDING (see $log and build-fuzz/findings/)"
    status=1
  fi
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
  # The edges covered when the time ran out: the last "cov:" libFuzzer printed.
  edges=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | grep -o '[0-9]*$' || echo "?")
  echo "fuzz_$target: $runs executions, $edges edges in ${seconds}s, $result"
done
exit $status
