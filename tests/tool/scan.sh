#!/usr/bin/env bash
# korvan-tool scan against korvan-sim on a pseudo-terminal: two units, one of them picked by
# --device, the last-used unit kept in a settings file, and a port where nobody answers.
set -euo pipefail
tool=$(realpath "$1")
sim=$(dirname "$tool")/korvan-sim
work=$(mktemp -d)
cleanup() {
  [[ -n ${simpid:-} ]] && kill "$simpid" 2>/dev/null && wait "$simpid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
cd "$work"

"$sim" --baud 0 --unit dev=3,name=ZULU,version=1.16 --unit dev=12,name=ECHO,version=2.05 \
  --unit dev=7,version=127.0 >sim.out &
simpid=$!
for _ in $(seq 50); do [[ -s sim.out ]] && break; sleep 0.1; done
port=$(sed -n 's/^port\t//p' sim.out)
[[ -n $port ]] || { echo "korvan-sim gave no port" >&2; exit 1; }

printf 'device\t7\tDevice 7 @ COM 1\tB 1.0\tDEV319CM06C01\n' >expect
printf 'device\t12\tECHO            \tV 2.05\tDEV00CDM11C01\n' >>expect
printf 'device\t3\tZULU            \tV 1.16\tDEV0074M02C01\n' >>expect
"$tool" scan --port "$port" --settings units.ini >got
diff -u expect got
grep -q '^Device=DEV319CM06C01$' units.ini || { echo "Last/Device not the first by name" >&2; exit 1; }
grep -q '^Searching for Korvan.$' test.txt

grep -qx 'Name=ZULU            ' units.ini

# --device: only that unit.
"$tool" scan --port "$port" --device 12 | cut -f2 | grep -qx 12

# Nobody answers: exit 1 and a sentence on stderr.
set +e
"$tool" scan --port "$port" --device 9 >/dev/null 2>err
rc=$?
set -e
[[ $rc -eq 1 ]] || { echo "scan of an absent unit gave $rc" >&2; exit 1; }
grep -q 'no Korvan answered' err

# Not a serial port at all.
set +e
"$tool" scan --port /dev/null >/dev/null 2>&1
rc=$?
set -e
[[ $rc -eq 1 ]] || { echo "scan of /dev/null gave $rc" >&2; exit 1; }
set +e
"$tool" scan --port COM99 >/dev/null 2>&1
rc=$?
set -e
[[ $rc -eq 2 ]] || { echo "scan of COM99 gave $rc" >&2; exit 1; }
echo ok
