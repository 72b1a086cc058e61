#!/usr/bin/env bash
# Transfer speed against korvan-sim paced at 38400 baud: pulling the internal bank and the
# current set, and a 100 000-byte firmware update. For each, the transfer's time divided by the
# line time of the bytes it moved (10 bits a byte at 38400; the --stats line): 1.00 is a line
# that never idles. Usage: bench/transfer_bench.sh BUILD_DIR [RUNS]
set -euo pipefail
build=$(realpath "${1:-build}")
runs=${2:-3}
tool=$build/korvan-tool
sim=$build/korvan-sim
source "$(dirname "${BASH_SOURCE[0]}")/../tests/tool/sim_harness.bash"
enter_workdir
launch_sim --baud 38400
head -c 100000 /dev/urandom >fw.bin

ratio() {  # reads "transfer SENT RECEIVED SECONDS" lines, prints the mean ratio and the last line
  awk -F'\t' '$1 == "transfer" { line = ($2 + $3) * 10 / 38400; r += $4 / line; n++; last = $0 }
              END { printf "%.4f\t%s\n", r / n, last }'
}

printf 'case\tratio\tlast stats line\n'
for c in internal current firmware; do
  for _ in $(seq "$runs"); do
    case $c in
      firmware) "$tool" update --port "$port" --device 1 fw.bin --yes --no-backup --stats ;;
      *) "$tool" pull --port "$port" --device 1 --set "$c" -o "out.$([[ $c == current ]] && echo xpc || echo kvn)" --stats ;;
    esac 2>&1 >/dev/null | grep '^transfer'
  done | ratio | sed "s/^/$c\t/"
done
