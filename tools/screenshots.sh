#!/usr/bin/env bash
# Pictures of the main window, its pages and child panels in both languages,
# taken from the program connected to the simulated sensor, for review (not
# a test). They land in build/screenshots (or the directory given).
#
#   tools/screenshots.sh [DIR]
#
# Runs on a virtual X display when xvfb-run is there, else offscreen.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build/screenshots}

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"${JOBS:-2}" --target tavrino-screenshots tavrino-sim

mkdir -p "$out"
endpoints="$out/sim-endpoints.txt"
: >"$endpoints"
build/bin/tavrino-sim --tcp 127.0.0.1:0 >"$endpoints" 2>"$out/sim.log" &
sim_pid=$!
trap 'kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true' EXIT

# The first line names the endpoint: "tcp 127.0.0.1:PORT".
for _ in $(seq 1 100); do
    [ -s "$endpoints" ] && break
    kill -0 "$sim_pid" 2>/dev/null || { cat "$out/sim.log" >&2; exit 1; }
    sleep 0.05
done
tcp_re='tcp ([^ ]+)'
[[ $(head -n 1 "$endpoints") =~ $tcp_re ]] || { echo "no endpoint from tavrino-sim" >&2; exit 1; }
address=${BASH_REMATCH[1]}

if command -v xvfb-run >/dev/null 2>&1; then
    xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/tavrino-screenshots --out "$out" --connect "tcp:$address"
else
    QT_QPA_PLATFORM=offscreen build/bin/tavrino-screenshots --out "$out" --connect "tcp:$address"
fi
