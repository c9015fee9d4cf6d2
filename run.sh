#!/usr/bin/env bash
# Builds the program if needed and starts it.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"${JOBS:-2}" --target tavrino-scope tavrino-sim tavrino-cli
exec build/bin/tavrino-scope "$@"
