#!/usr/bin/env bash
# Sets up, builds and runs the demo: a simulated unit on a pseudo-terminal, watched live by
# korvan-tool for a few seconds (moving meters, a change made on the unit's panel arriving).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=g++ >/dev/null
cmake --build build -j "${JOBS:-2}" --target korvan-tool korvan-sim

work=$(mktemp -d)
simpid=
cleanup() {
  [[ -n $simpid ]] && kill "$simpid" 2>/dev/null && wait "$simpid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# On the unit's panel, output 1's gain goes to +12.0 dB (step 270) 3 seconds after start.
build/korvan-sim --panel 5:2=270@3000 >"$work/sim.out" &
simpid=$!
for _ in $(seq 50); do [[ -s $work/sim.out ]] && break; sleep 0.1; done
port=$(sed -n 's/^port\t//p' "$work/sim.out")
echo "korvan-sim serves a unit on $port; watching it for 5 seconds:"
echo "(status: meters A B C 1..6, limiter flags, free EQ %, lock, error type, operation)"
(cd "$work" && "$OLDPWD/build/korvan-tool" watch --port "$port" --seconds 5)
