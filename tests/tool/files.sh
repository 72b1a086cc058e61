#!/usr/bin/env bash
# korvan-tool's file commands: exact sizes, listings, round trips through JSON, exit statuses.
set -euo pipefail
tool=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
tab=$'\t'

# The factory bank: 48 used slots, the second 24 locked.
"$tool" factory -o "$tmp/f.kvn"
info=$("$tool" file info "$tmp/f.kvn")
size=$(stat -c %s "$tmp/f.kvn")
[ "$(sed -n 1p <<<"$info")" = "kind${tab}bank" ] || fail "bank kind"
[ "$(sed -n 2p <<<"$info")" = "chunk${tab}XSNP${tab}1${tab}0${tab}$((size - 16))" ] || fail "bank chunk line"
[ "$(grep -c "^slot${tab}" <<<"$info")" = 60 ] || fail "60 slot lines"
[ "$(grep -c "${tab}used${tab}-${tab}" <<<"$info")" = 24 ] || fail "24 unlocked"
[ "$(grep -c "${tab}used${tab}locked${tab}" <<<"$info")" = 24 ] || fail "24 locked"
grep -qx "slot${tab}25${tab}empty${tab}-${tab}        " <<<"$info" || fail "empty slot 25"

# A set written right after start-up, and one edited: 1646 bytes each.
"$tool" edit -o "$tmp/start.xpc"
"$tool" edit -o "$tmp/edited.xpc" 0:5=3 7:2=120 SEL:7
for f in start edited; do
  [ "$(stat -c %s "$tmp/$f.xpc")" = 1646 ] || fail "$f.xpc size"
done
info=$("$tool" file info "$tmp/start.xpc")
for tag in XPCR:1630 XPRB:26 XCUR:1532 XPRE:24; do
  grep -qx "chunk${tab}${tag%:*}${tab}1${tab}272${tab}${tag#*:}" <<<"$info" || fail "chunk $tag"
done
grep -qx "preset${tab}1${tab}internal" <<<"$info" || fail "preset line"
grep -qx "edited${tab}0" <<<"$info" || fail "edited line"
grep -qx "input${tab}Sum${tab}SUM     " <<<"$info" || fail "input line"
grep -qx "opmode${tab}LMH LMH" <<<"$info" || fail "opmode line"
grep -qx "estimate${tab}23.4${tab}29" <<<"$info" || fail "estimate line"
"$tool" file info "$tmp/edited.xpc" | grep -qx "opmode${tab}LH LH LH" || fail "edited opmode"

# show: one line per stored control, then the reserved words and the names.
show=$("$tool" file show "$tmp/edited.xpc")
[ "$(wc -l <<<"$show")" = $((705 + 12 + 4)) ] || fail "show line count"
grep -qx "410${tab}7${tab}2${tab}120${tab}-3 dB" <<<"$show" || fail "show edited gain"
"$tool" file show "$tmp/f.kvn" --slot 40 >/dev/null || fail "show a locked slot"
if "$tool" file show "$tmp/f.kvn" --slot 30 >/dev/null 2>&1; then fail "show an empty slot"; fi

# diff: 0 when equal, 1 with the differing controls, 2 on trouble.
"$tool" file diff "$tmp/start.xpc" "$tmp/start.xpc" || fail "diff of equal files"
set +e
"$tool" file diff "$tmp/f.kvn" "$tmp/f.kvn" --slot 1 --slot-b 37 >/dev/null; rc_same=$?
d=$("$tool" file diff "$tmp/start.xpc" "$tmp/edited.xpc"); rc_diff=$?
"$tool" file diff "$tmp/start.xpc" "$tmp/missing.xpc" 2>/dev/null; rc_bad=$?
set -e
[ $rc_same = 0 ] && [ $rc_diff = 1 ] && [ $rc_bad = 2 ] || fail "diff statuses $rc_same $rc_diff $rc_bad"
grep -qx "0${tab}5${tab}1${tab}3${tab}LMH LMH${tab}LH LH LH" <<<"$d" || fail "diff opmode line"

# import(export(F)) is F, byte for byte, chunk versions included.
"$tool" file export "$tmp/f.kvn" >"$tmp/f.json"
"$tool" file import "$tmp/f.json" -o "$tmp/f2.kvn"
cmp "$tmp/f.kvn" "$tmp/f2.kvn" || fail "bank round trip"
for f in start edited; do
  "$tool" file export "$tmp/$f.xpc" >"$tmp/$f.json"
  "$tool" file import "$tmp/$f.json" -o "$tmp/${f}2.xpc"
  cmp "$tmp/$f.xpc" "$tmp/${f}2.xpc" || fail "$f round trip"
done
# A set whose chunks carry other versions keeps them.
sed 's/"XCUR": 272/"XCUR": 256/' "$tmp/start.json" >"$tmp/v.json"
"$tool" file import "$tmp/v.json" -o "$tmp/v.xpc"
"$tool" file info "$tmp/v.xpc" | grep -qx "chunk${tab}XCUR${tab}1${tab}256${tab}1532" || fail "versions kept"
"$tool" file export "$tmp/v.xpc" >"$tmp/v2.json"
"$tool" file import "$tmp/v2.json" -o "$tmp/v2.xpc"
cmp "$tmp/v.xpc" "$tmp/v2.xpc" || fail "version round trip"

# An empty card bank is 80 bytes; JSON without versions writes what the editor writes.
zeros=$(printf '0,%.0s' {1..59})0
echo "{\"kind\": \"bank\", \"attributes\": [$zeros], \"slots\": []}" >"$tmp/empty.json"
"$tool" file import "$tmp/empty.json" -o "$tmp/empty.kvn"
[ "$(stat -c %s "$tmp/empty.kvn")" = 80 ] || fail "empty bank size"
"$tool" file info "$tmp/empty.kvn" | grep -qx "chunk${tab}XSNP${tab}1${tab}0${tab}64" || fail "empty bank version"

# frames: 2 blocks for a set, each line a frame in upper-case hex.
frames=$("$tool" frames "$tmp/start.xpc" --device 5)
[ "$(wc -l <<<"$frames")" = 2 ] || fail "frame count"
[ "$(sed -n 1p <<<"$frames" | cut -d' ' -f1-13)" = "F0 7D 00 00 05 0E 10 01 01 00 02 00 00" ] || fail "frame header"
[ "$(sed -n 2p <<<"$frames" | wc -w)" = $((15 + 896)) ] || fail "last frame length"

# Bad input: illegal data is a failure (1), a malformed edit a usage error (2).
head -c 700 "$tmp/start.xpc" >"$tmp/cut.xpc"
set +e
"$tool" file info "$tmp/cut.xpc" 2>"$tmp/err"; rc_cut=$?
"$tool" edit -o "$tmp/x.xpc" 12:1=3 2>/dev/null; rc_edit=$?
"$tool" edit -i "$tmp/cut.xpc" -o "$tmp/x.xpc" 2>/dev/null; rc_load=$?
set -e
[ $rc_cut = 1 ] && [ $rc_edit = 2 ] && [ $rc_load = 1 ] || fail "bad input statuses $rc_cut $rc_edit $rc_load"
grep -q "File has Illegal data" "$tmp/err" || fail "illegal data message"
[ ! -e "$tmp/x.xpc" ] || fail "nothing written after a failed load"
echo ok
