#!/usr/bin/env bash
# Lists every control of every page and child panel as a screen reader sees
# it over AT-SPI, in English and, after the language switch, in German, with
# the counts per page; fails when a control has no name or no description.
# Starts its own session bus with the accessibility bus, a virtual X display,
# the simulated sensor and the program (built beforehand: tavrino-scope,
# tavrino-sim). Needs at-spi2-core, dbus-x11, python3-pyatspi, xvfb, xdotool.
#
#   tools/a11y_dump.sh [LISTING]     (default: build/a11y/controls.txt)
set -euo pipefail
cd "$(dirname "$0")/.."
listing=${1:-build/a11y/controls.txt}
work=build/a11y
mkdir -p "$work" "$(dirname "$listing")"

if [ -z "${TAVRINO_A11Y_SESSION:-}" ]; then
    exec env TAVRINO_A11Y_SESSION=1 dbus-run-session -- "$0" "$@"
fi

/usr/libexec/at-spi-bus-launcher --launch-immediately &
bus_pid=$!
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
endpoints="$work/sim-endpoints.txt"
: >"$endpoints"
build/bin/tavrino-sim --tcp 127.0.0.1:0 >"$endpoints" 2>"$work/sim.log" &
sim_pid=$!
scope_pid=""
cleanup() {
    for pid in $scope_pid $sim_pid $xvfb_pid $bus_pid; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
}
trap cleanup EXIT

for _ in $(seq 1 100); do
    [ -s "$endpoints" ] && break
    sleep 0.05
done
tcp_re='tcp ([^ ]+)'
[[ $(head -n 1 "$endpoints") =~ $tcp_re ]] || { echo "no endpoint from tavrino-sim" >&2; exit 1; }
address=${BASH_REMATCH[1]}

export DISPLAY=$display
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export QT_QPA_PLATFORM=xcb
rm -rf "$work/data"
mkdir -p "$work/data"
build/bin/tavrino-scope --data-dir "$work/data" --connect "tcp:$address" >"$work/scope.log" 2>&1 &
scope_pid=$!

# The Debian interpreter: python3-pyatspi installs for it.
/usr/bin/python3 tools/a11y_dump.py --out "$listing"
