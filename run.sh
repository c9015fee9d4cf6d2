#!/usr/bin/env bash
# Builds what is missing, starts the simulated sensor on a free loopback port
# and starts the program connected to it. Closing the program stops the
# simulator.
#
#   ./run.sh            connect over TCP/IP
#   ./run.sh --serial   connect over the simulator's pseudo-terminal (RS-232)
#
# The program keeps its settings in build/run-data (PanelSettings.cfg); only
# the connection settings are pointed at the simulator on every start.
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
port=$(sed -nE 's/.*tcp [^ ]*:([0-9]+).*/\1/p' <<<"$endpoints")
pty=$(sed -nE 's/.*pty ([^ ]+).*/\1/p' <<<"$endpoints")
echo "simulated sensor: $endpoints"

settings="$data_dir/PanelSettings.cfg"
if [ "$mode" = tcp ]; then
    protocol=1
else
    protocol=0
fi

# Point the stored connection settings at the simulator, keeping everything
# else the operator set up in earlier runs.
if [ -f "$settings" ] && grep -q '^\[COMMUNICATION SETTINGS\]' "$settings"; then
    tmp="$settings.tmp"
    awk -v proto="$protocol" -v port="$port" -v pty="$pty" '
        BEGIN { insec = 0 }
        /^\[/ { insec = ($0 ~ /^\[COMMUNICATION SETTINGS\]/) }
        insec && /^COMPROTOCOL *=/ { print "COMPROTOCOL = " proto "\r"; next }
        insec && /^COMDEVICE *=/ { print "COMDEVICE = \"" pty "\"\r"; next }
        insec && /^BAUDRATE *=/ { print "BAUDRATE = 4\r"; next }
        insec && /^IP ADRESS *=/ { print "IP ADRESS = \"127.0.0.1\"\r"; next }
        insec && /^PORT NUMBER *=/ { print "PORT NUMBER = \"" port "\"\r"; next }
        { print }
    ' "$settings" >"$tmp"
    grep -q '^COMDEVICE *=' "$tmp" || sed -i "s#^\(PORT NUMBER = .*\)\$#\1\nCOMDEVICE = \"$pty\"\r#" "$tmp"
    mv "$tmp" "$settings"
else
    printf '%s\r\n' \
        '[GENERAL INFO]' \
        'FILE TYPE: = "Panel Settings"' \
        'SCOPE VERSION: = "TAVRINO4 VXR QLM Scope V3.2"' \
        'LANGUAGE = 1' \
        '' \
        '[COMMUNICATION SETTINGS]' \
        "COMPROTOCOL = $protocol" \
        'COMPORT = 1' \
        'BAUDRATE = 4' \
        'IP ADRESS = "127.0.0.1"' \
        "PORT NUMBER = \"$port\"" \
        "COMDEVICE = \"$pty\"" \
        '' >"$settings"
fi

build/bin/tavrino-scope --data-dir "$data_dir" "$@"
