#!/usr/bin/env bash
# korvan-tool response: line forms, a few known columns, argument order and refused steps.
set -euo pipefail
tool=$1
fail() { echo "FAIL: $*" >&2; exit 1; }

# Form: 390 lines, five TAB-separated fields for a crossover, four for an EQ band.
out=$("$tool" response xover 6 250 6 60)
[ "$(wc -l <<<"$out")" = 390 ] || fail "xover line count"
awk -F'\t' 'NF != 5 || $1 != NR - 1 { exit 1 }' <<<"$out" || fail "xover fields"
out=$("$tool" response eq 1 0 180 20 200)
[ "$(wc -l <<<"$out")" = 390 ] || fail "eq line count"
awk -F'\t' 'NF != 4 || $1 != NR - 1 || $3 !~ /\.[0-9][0-9][0-9][0-9]/ { exit 1 }' <<<"$out" \
  || fail "eq fields"

# Both filters off: flat, offset 0, row 88 everywhere.
"$tool" response xover 0 0 0 0 | awk -F'\t' '$3 != 1 || $4 != 0 || $5 != 88 { exit 1 }' \
  || fail "flat crossover"

# Low-pass first: a 6 dB/Oct low-pass at 20 Hz is 1/sqrt(2) on column 0 (20 Hz) and deep at the
# top; a 6 dB/Oct high-pass at 20 kHz the other way round.
expect() { [ "$(sed -n "$2p" <<<"$1")" = "$3" ] || fail "line $2: $(sed -n "$2p" <<<"$1") != $3"; }
out=$("$tool" response xover 1 0 0 0)
expect "$out" 1 $'0\t20\t0.707106769\t-29\t117'
expect "$out" 390 $'389\t19648.875\t0.00101786945\t-479\t178'
out=$("$tool" response xover 0 0 1 320)
expect "$out" 1 $'0\t20\t0.000999999465\t-479\t178'
expect "$out" 196 $'195\t632.455505\t0.0316069759\t-240\t178'

# A parametric band on column 0 at full cut and full boost; -0.1 dB low shelf at 20 Hz.
expect "$("$tool" response eq 1 0 0 20 0)" 1 $'0\t20\t-15.000000\t178'
expect "$("$tool" response eq 1 0 0 20 300)" 1 $'0\t20\t15.000000\t-2'
expect "$("$tool" response eq 0 1 180 20 149)" 1 $'0\t20\t-0.100000\t88'

# Steps outside their parameter's range, missing and non-numeric ones: usage errors.
refused() {
  set +e
  "$tool" response "$@" >/dev/null 2>err.txt
  rc=$?
  set -e
  [ $rc = 2 ] || fail "response $* gave $rc"
  [ -s err.txt ] || fail "response $* said nothing on stderr"
}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cd "$tmp"
refused xover 11 0 0 0
refused xover 0 321 0 0
refused xover 0 0 -1 0
refused xover 0 0 0 400
refused xover 0 0 0
refused xover 0 0 0 x
refused eq 3 0 0 0 0
refused eq 0 2 0 0 0
refused eq 0 0 321 0 0
refused eq 0 0 0 41 0
refused eq 0 0 0 0 301
refused eq 0 0 0 0
echo ok
