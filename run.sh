#!/usr/bin/env bash
# Builds what is missing, starts the simulated sensor on a free loopback port
# and starts the program connected to it. Closing the program stops the
# simulator.
#
#   ./run.sh            connect over TCP/IP
#   ./run.sh --serial   connect over the simulator's pseudo-terminal (RS-232)
#
# The program keeps its settings in build/run-data (PanelSettings.cfg); the
# connection to the simulator is given with --connect on every start.
set -euo pipefail
cd "$(dirname "$0")"

mode=tcp
if [ "${1:-}" = "--serial" ]; then
    mode=serial
    shift
fi

./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"${JOBS:-2}" --target tavrino-scope tavrino-sim tavrino-cli

data_dir="build/run-data"
mkdir -p "$data_dir"
sim_out="$data_dir/sim-endpoints.txt"
: >"$sim_out"

build/bin/tavrino-sim --tcp 127.0.0.1:0 --pty >"$sim_out" 2>"$data_dir/sim.log" &
sim_pid=$!
trap 'kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true' EXIT

# The first line names the endpoints: "tcp 127.0.0.1:PORT pty /dev/pts/N".
for _ in $(seq 1 100); do
    [ -s "$sim_out" ] && break
    if ! kill -0 "$sim_pid" 2>/dev/null; then
        echo "tavrino-sim did not start:" >&2
        cat "$data_dir/sim.log" >&2
        exit 1
    fi
    sleep 0.05
done
endpoints=$(head -n 1 "$sim_out")
tcp_re='tcp [^ ]*:([0-9]+)'
pty_re='pty ([^ ]+)'
port="" pty=""
[[ $endpoints =~ $tcp_re ]] && port=${BASH_REMATCH[1]}
[[ $endpoints =~ $pty_re ]] && pty=${BASH_REMATCH[1]}
if [ -z "$port" ] || [ -z "$pty" ]; then
    echo "tavrino-sim did not name its endpoints: $endpoints" >&2
    exit 1
fi
echo "simulated sensor: $endpoints"

if [ "$mode" = tcp ]; then
    connection="tcp:127.0.0.1:$port"
else
    connection="serial:$pty"
fi

# The program starts with the simulator's connection as if the operator had
# entered it; everything else comes from the settings of earlier runs.
build/bin/tavrino-scope --data-dir "$data_dir" --connect "$connection" "$@"
