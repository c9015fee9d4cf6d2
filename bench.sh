#!/usr/bin/env bash
# Builds and runs the benchmarks (Release tree) and prints their tables.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"${JOBS:-2}"
shopt -s nullglob
for b in build/bin/tavrino-bench-*; do
    echo "== $(basename "$b")"
    QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$b" "$@"
done
