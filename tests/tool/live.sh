#!/usr/bin/env bash
# korvan-tool send and watch against korvan-sim: edits reaching the unit, a locked unit
# refusing them, and the reports and panel changes a watch prints.
set -euo pipefail
tool=$(realpath "$1")
sim=$(dirname "$tool")/korvan-sim
source "$(dirname "${BASH_SOURCE[0]}")/sim_harness.bash"
enter_workdir

start_sim() { launch_sim --trace "$@"; }

# send: the edits arrive in one frame, each with its last value.
start_sim --baud 0
"$tool" send --port "$port" 7:2=160 8:2=20 7:2=170 >out
[[ ! -s out ]]
grep -qx 'changes	2' sim.err
grep -qx 'change	7	2	170' sim.err
grep -qx 'change	8	2	20' sim.err

# Bad edits are usage errors.
set +e
"$tool" send --port "$port" 12:1=3 2>err
rc=$?
set -e
[[ $rc -eq 2 ]] || { echo "send of a bad edit gave $rc" >&2; exit 1; }

# A locked unit: refused with the popup's texts, exit 1, nothing sent.
start_sim --baud 0 --lock page
set +e
"$tool" send --port "$port" 7:2=160 2>err
rc=$?
set -e
[[ $rc -eq 1 ]] || { echo "send to a locked unit gave $rc" >&2; exit 1; }
grep -q 'reports : Cannot change Parameter due to : Parameter is locked' err
! grep -q '^change' sim.err

# watch: status lines with the lock, and the panel change.
start_sim --baud 38400 --lock global --panel 9:2=42@2500
"$tool" watch --port "$port" --seconds 3.5 >out
grep -qP '^status(\t[0-7]){9}\t[01]{6}\t29\t2\t0\t2$' out
grep -qx 'change	9	2	42' out
echo ok
