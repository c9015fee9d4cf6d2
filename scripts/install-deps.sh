#!/usr/bin/env bash
# Installs the Debian packages the project builds, tests and runs with.
# Idempotent: only missing packages are installed, and the package lists are
# refreshed only when something is missing.
#
#   TAVRINO_NO_INSTALL=1   only report what is missing (exit status 0)
set -euo pipefail

packages=(
    build-essential cmake ninja-build ccache python3
    qt6-base-dev qt6-serialport-dev libgl-dev fonts-dejavu-core
    # Qt's own dialog texts in German
    qt6-translations-l10n
    libqcustomplot-dev
    # graphs exported as SVG pictures
    qt6-svg-dev
    libcli11-dev
    googletest libgtest-dev libgmock-dev
    libbenchmark-dev
    clang libclang-rt-14-dev
    # tools/screenshots.sh: the review pictures on a virtual display
    xvfb xauth
    # printed scope reports are checked by reading the PDF text back
    poppler-utils
    # publishing to a plant's MQTT broker; the broker and its command-line
    # clients for the tests, the benchmark and the README's walk-through
    libmosquitto-dev mosquitto mosquitto-clients
)

if ! command -v dpkg-query >/dev/null 2>&1; then
    echo "install-deps: no dpkg-query here; install these by hand: ${packages[*]}" >&2
    exit 0
fi

# One query per package, its answer kept in a variable: no pipe whose reader
# could stop early, and an unknown package is simply missing.
installed() {
    local status
    status=$(dpkg-query -W -f='${db:Status-Abbrev}' "$1" 2>/dev/null) || return 1
    [[ $status == ii* ]]
}

missing=()
for p in "${packages[@]}"; do
    installed "$p" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

if [ "${TAVRINO_NO_INSTALL:-0}" = 1 ]; then
    echo "install-deps: missing packages (not installed, TAVRINO_NO_INSTALL=1): ${missing[*]}"
    exit 0
fi

echo "Installing missing packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    SUDO=()
elif command -v sudo >/dev/null 2>&1; then
    SUDO=(sudo)
else
    echo "install-deps: missing ${missing[*]}, and neither root nor sudo to install them" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -qq
"${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
