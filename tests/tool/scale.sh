#!/usr/bin/env bash
# korvan-tool scale: a few texts and steps, list output and the refusals.
set -euo pipefail
tool=$1
fail=0

expect() {  # expect WANT ARGS...: the command's stdout must be WANT exactly
  local want=$1
  shift
  local got
  got=$("$tool" scale "$@")
  if [[ "$got" != "$want" ]]; then
    echo "scale $*: got [$got], want [$want]" >&2
    fail=1
  fi
}

refused() {  # refused ARGS...: exit status 2 and a message on stderr
  local err rc=0
  err=$("$tool" scale "$@" 2>&1 >/dev/null) || rc=$?
  if [[ $rc -ne 2 || -z "$err" ]]; then
    echo "scale $*: exit $rc, stderr [$err]; want exit 2 and a message" >&2
    fail=1
  fi
}

expect "0.7 dB" gain format 157
expect "0,7 dB" gain format 157 --separator ,
expect "157" gain parse "0,7 dB"
expect "157" gain parse "0.7" --separator ,
expect "12" gain parse abc --current 12
expect "300" strip-gain parse 20
expect "138" gain parse -1.25
expect "979 Hz" frequency format 179
expect "320" frequency parse "19.8 kHz"
expect "0.45" q format 13
expect "66" release parse 85
expect "477" dyn-threshold parse -12.37
expect "68 °F" temperature format 40 --unit 1
expect "2" temperature parse "0 °F" --unit 1
expect "582.24 ms" long-delay format 4000
expect "625.98 ms" long-delay format 4000 --temp 0
expect "582.24 ms" long-delay format 4000 --temp 0 --correction 0
expect "656.20 ft" long-delay format 4000 --display 2
expect "30" long-delay parse "1,52 m" --display 1
expect "62" short-delay parse 125 --display 1
expect "Bes 24 " lp-type format 7
expect "" band-name format 21
expect "9" phase parse 47

# list: step TAB text, every step, a step without a text has an empty text
[[ "$("$tool" scale eq-slope list)" == $'0\t 6 dB/Oct\n1\t12 dB/Oct ' ]] || { echo "eq-slope list" >&2; fail=1; }
[[ $("$tool" scale band-name list | wc -l) -eq 28 ]] || { echo "band-name list length" >&2; fail=1; }
[[ "$("$tool" scale band-name list | tail -1)" == $'27\t' ]] || { echo "band-name list end" >&2; fail=1; }
[[ $("$tool" scale long-delay list | wc -l) -eq 4001 ]] || { echo "long-delay list length" >&2; fail=1; }

refused nosuch format 0
refused gain format 301
refused gain format -1
refused gain format 1.5
refused phase parse 47 --current 37
refused gain format 0 --separator ';'
refused temperature format 0 --unit 2
refused long-delay format 0 --display 3
refused long-delay format 0 --temp 71
refused long-delay format 0 --correction 2
refused gain frobnicate 0
refused gain format

exit $fail
