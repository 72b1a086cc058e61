#!/usr/bin/env bash
# korvan-tool pull, push and update against korvan-sim with a state folder: the three data sets
# both ways byte for byte, a backup of the unit's copy for every push, a 100 000-byte program
# image in 115 blocks, a corrupted block asked for again, no card, and a unit that stops.
set -euo pipefail
tool=$(realpath "$1")
sim=$(dirname "$tool")/korvan-sim
source "$(dirname "${BASH_SOURCE[0]}")/sim_harness.bash"
enter_workdir
mkdir state backups

start_sim() { launch_sim --baud 0 --state state "$@"; }
fail() { echo "$*" >&2; exit 1; }
# The unit stores a memory once its last block is in, a moment after the tool is done.
stored() {
  for _ in $(seq 50); do cmp -s "$1" "$2" && return 0; sleep 0.1; done
  return 1
}
run() { "$tool" "$@" --port "$port" --device 1; }

# Files unlike the unit's defaults.
"$tool" edit -o mine.xpc 7:2=120 8:4=1 >/dev/null
"$tool" factory -o factory.kvn
"$tool" file export factory.kvn | sed 's/"3W 250  "/"MY SLOT "/' >mine.json
"$tool" file import mine.json -o mine.kvn
start_sim

for set in current internal card; do
  ext=kvn; [[ $set == current ]] && ext=xpc
  run pull --set "$set" -o "before-$set.$ext"
  run push --set "$set" "mine.$ext" --yes --backup-dir backups 2>push.err
  stored "mine.$ext" "state/unit1-$set.$ext" || fail "$set: the unit holds other bytes"
  run pull --set "$set" -o "after-$set.$ext"
  cmp "mine.$ext" "after-$set.$ext" || fail "$set: pulled back other bytes"
  # The unit's previous copy is in the backup folder, and its path on stderr.
  backup=$(sed -n 's/^korvan-tool push: backup kept in //p' push.err)
  [[ -f $backup ]] || fail "$set: no backup named on stderr"
  cmp "before-$set.$ext" "$backup" || fail "$set: the backup is not the unit's copy"
done

# --no-backup keeps nothing; a bank without --yes is refused off a terminal.
count=$(ls backups | wc -l)
run push --set current mine.xpc --no-backup --backup-dir backups 2>/dev/null
[[ $(ls backups | wc -l) -eq $count ]] || fail "--no-backup kept a copy"
if run push --set internal mine.kvn --backup-dir backups </dev/null 2>err; then fail "unasked bank push"; fi
grep -q 'KVN-presets will be overwritten!' err

# A program image of 100 000 bytes: 115 blocks, intact, after the three data sets were kept.
head -c 100000 /dev/urandom >fw.bin
run update fw.bin --yes --backup-dir backups --stats 2>update.err
stored fw.bin state/unit1-firmware.bin || fail "firmware differs"
[[ $(grep -c 'backup kept in' update.err) -eq 3 ]] || fail "update kept $(grep -c 'backup kept in' update.err) backups"
grep -qx 'Please Restart the Korvan' update.err
sent=$(awk -F'\t' '$1 == "transfer" { print $2 }' update.err)
[[ $(( $("$tool" frames fw.bin | wc -c) )) -gt 0 ]]
[[ $("$tool" frames fw.bin | wc -l) -eq 115 ]] || fail "not 115 blocks"
frames_bytes=$(( ($("$tool" frames fw.bin | wc -c) + 1) / 3 ))
[[ $sent -eq $frames_bytes ]] || fail "update sent $sent bytes, the 115 frames are $frames_bytes"

# A corrupted block is asked for again and the pull completes.
start_sim --bad-checksum 3
run pull --set internal -o again.kvn
cmp mine.kvn again.kvn || fail "pull after a bad checksum differs"

# No card: the card pull fails with the dialog's text.
start_sim --no-card
if run pull --set card -o none.kvn 2>err; then fail "card pull without a card succeeded"; fi
grep -q 'No Card Presets Found' err
[[ ! -e none.kvn ]] || fail "a file was written without a card"

# A unit that stops answering: no file, the unit's name in the message.
start_sim --stop-after-block 2
if run pull --set internal -o cut.kvn 2>err; then fail "a stalled pull succeeded"; fi
grep -q 'No response from KORVAN SIM' err
[[ ! -e cut.kvn ]] || fail "a stalled pull wrote a file"
