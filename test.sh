#!/usr/bin/env bash
# Builds and runs every test: the Release tree, the sanitizer tree and, when
# clang is present, a short bounded run of every fuzz target.
# Exits non-zero on the first failure.
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)
jobs=${JOBS:-2}

./scripts/install-deps.sh

echo "== Layering check"
python3 tools/check_layering.py

echo "== Release build and tests"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build and tests"
# Everything, the widget tests (offscreen) included: closing the window while
# a wait runs is where a use-after-free would show.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTAVRINO_SANITIZE=ON -DTAVRINO_GUI=ON -DTAVRINO_BENCH=OFF >/dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure -j"$jobs"

if command -v clang++ >/dev/null 2>&1; then
    echo "== Fuzz targets (bounded run)"
    cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DTAVRINO_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ >/dev/null
    cmake --build build-fuzz -j"$jobs"
    shopt -s nullglob
    targets=(build-fuzz/fuzzers/*)
    if [ ${#targets[@]} -gt 0 ]; then
        # About 30 s in all, shared between the targets.
        per_target=$(( 30 / ${#targets[@]} ))
        [ "$per_target" -lt 5 ] && per_target=5
        for t in "${targets[@]}"; do
            name=$(basename "$t")
            corpus="build-fuzz/corpus/$name"
            mkdir -p "$corpus"
            seeds=()
            [ -d "fuzz/seeds/$name" ] && seeds=("fuzz/seeds/$name")
            echo "-- $name for ${per_target}s"
            log="build-fuzz/$name.log"
            if ! "$t" -max_total_time="$per_target" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
                -print_final_stats=1 -artifact_prefix="build-fuzz/$name-" "$corpus" "${seeds[@]}" >"$log" 2>&1; then
                tail -n 40 "$log" >&2
                echo "fuzz target $name failed (log: $log)" >&2
                exit 1
            fi
            grep -E '^stat::number_of_executed_units' "$log" || true
        done
    fi
fi

echo "== All tests passed"
