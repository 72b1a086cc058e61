# Shared by the shell checks that drive korvan-sim (sourced, not run: the name keeps it out of
# the tests/tool/*.sh checks). Set $sim to the simulator before calling these.

# A scratch folder as the working directory; on exit the simulator is stopped and it is removed.
enter_workdir() {
  work=$(mktemp -d)
  simpid=
  trap 'stop_sim; rm -rf "$work"' EXIT
  cd "$work"
}

stop_sim() {
  if [[ -n ${simpid:-} ]]; then
    kill "$simpid" 2>/dev/null || true
    wait "$simpid" 2>/dev/null || true
  fi
  simpid=
}

# Starts korvan-sim with the given options (stopping one already running), its stdout in
# sim.out and stderr in sim.err, and sets $port to the pseudo-terminal it serves.
launch_sim() {
  stop_sim
  rm -f sim.out
  "$sim" "$@" >sim.out 2>sim.err &
  simpid=$!
  for _ in $(seq 50); do [[ -s sim.out ]] && break; sleep 0.1; done
  port=$(sed -n 's/^port\t//p' sim.out)
  [[ -n $port ]] || { echo "korvan-sim gave no port" >&2; exit 1; }
}
