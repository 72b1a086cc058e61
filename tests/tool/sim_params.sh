#!/usr/bin/env bash
# korvan-sim keeps one current set: a pushed set becomes the unit's live parameters, a live edit
# shows in a pulled set, and the unit's state folder holds the edit after it exits.
set -euo pipefail
tool=$(realpath "$1")
sim=$(dirname "$tool")/korvan-sim
source "$(dirname "${BASH_SOURCE[0]}")/sim_harness.bash"
enter_workdir
mkdir state
fail() { echo "$*" >&2; exit 1; }
start_sim() { launch_sim --baud 0 --state state --trace; }
value() { "$tool" file show "$1" | awk -F'\t' -v m="$2" -v c="$3" '$2==m && $3==c {print $4}'; }
run() { "$tool" "$@" --port "$port" --device 1; }

start_sim
# A pushed current set is what the unit plays: output 2's gain arrives as the unit's own value.
"$tool" edit -o pushed.xpc 6:2=200 >/dev/null
run push --set current pushed.xpc --no-backup 2>/dev/null
for _ in $(seq 50); do [[ -f state/unit1-current.xpc ]] && break; sleep 0.1; done
# A live edit on top of it, then the current set pulled back carries both.
run send 7:2=120
run pull --set current -o pulled.xpc
[[ $(value pulled.xpc 6 2) == 200 ]] || fail "the pushed gain did not become the unit's own"
[[ $(value pulled.xpc 7 2) == 120 ]] || fail "the live edit is not in the pulled set"
# On exit the unit writes the edit into its state folder.
stop_sim
[[ $(value state/unit1-current.xpc 7 2) == 120 ]] || fail "the edit was not written on exit"
echo "sim params: ok"
