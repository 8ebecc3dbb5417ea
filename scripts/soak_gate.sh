#!/usr/bin/env bash
# The gate's soak, run by hand: seat A chooses at random among the decisions
# the rules allow, each through the rule gate and then carried out, with every
# invariant checked after every step, for DEALS deals (default 100,000) under
# each of the five rule sets of the golden records. Each rule set stops after
# MINUTES minutes (default 10) at most. Prints deals per second and any
# violation; exits non-zero if a rule set broke something or ran out of time.
# With --every-seat every seat is such a random human (no computer seat).
#   scripts/soak_gate.sh            DEALS=20000 scripts/soak_gate.sh --every-seat --seed 7
# Extra arguments go to tav-sim (--every-seat, --seed S).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)" --target tav-sim >/dev/null
deals=${DEALS:-100000}
minutes=${MINUTES:-10}
failures=0
for rules in b3=on,m=off,d=off,winstyle=1 b3=off,m=on,d=on,winstyle=1 b3=on,m=on,d=on,winstyle=1 \
             b3=on,m=on,d=on,winstyle=0 b3=off,m=off,d=off,winstyle=0; do
  echo "== $rules"
  status=0
  timeout "${minutes}m" ./build/tools/tav-sim --random-human --deals "$deals" --rules "$rules" "$@" || status=$?
  if [ "$status" -eq 124 ]; then
    echo "FAIL: $rules: not done in $minutes minutes"
  fi
  [ "$status" -eq 0 ] || failures=$((failures + 1))
done
echo "rule sets with a fault: $failures"
[ "$failures" -eq 0 ]
