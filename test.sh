#!/usr/bin/env bash
# Builds and runs every test: the Release tree, the sanitizer tree and, when
# clang is present, a short bounded run of every fuzz target.
# Exits non-zero on the first failure.
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)
jobs=${JOBS:-2}

# The time of every stage, printed at the end, also when a stage fails.
stage_names=()
stage_seconds=()
stage_name=""
stage_start=0
end_stage() {
    if [ -n "$stage_name" ]; then
        stage_names+=("$stage_name")
        stage_seconds+=($((SECONDS - stage_start)))
    fi
    stage_name=""
}
stage() {
    end_stage
    stage_name=$1
    stage_start=$SECONDS
    echo "== $1"
}
print_stage_times() {
    end_stage
    echo "== Stage times"
    local i
    for i in "${!stage_names[@]}"; do
        printf '%6d s  %s\n' "${stage_seconds[$i]}" "${stage_names[$i]}"
    done
    printf '%6d s  total\n' "$SECONDS"
}
trap print_stage_times EXIT

stage "Dependencies"
./scripts/install-deps.sh

stage "Layering check"
python3 tools/check_layering.py

stage "Release build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$jobs"
stage "Release tests"
ctest --test-dir build --output-on-failure -j"$jobs"

stage "AddressSanitizer + UndefinedBehaviorSanitizer build"
# Everything, the widget tests (offscreen) included: closing the window while
# a wait runs is where a use-after-free would show. No benchmarks and no
# screenshot tool there: they are not tests.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTAVRINO_SANITIZE=ON -DTAVRINO_GUI=ON -DTAVRINO_BENCH=OFF >/dev/null
cmake --build build-asan -j"$jobs"
stage "AddressSanitizer + UndefinedBehaviorSanitizer tests"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    LSAN_OPTIONS=suppressions="$root/tests/lsan.supp":print_suppressions=0 ctest --test-dir build-asan --output-on-failure -j"$jobs"

if command -v clang++ >/dev/null 2>&1; then
    stage "Fuzz targets build"
    cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DTAVRINO_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ >/dev/null
    cmake --build build-fuzz -j"$jobs"
    stage "Fuzz targets (bounded run)"
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

end_stage
echo "== All tests passed"
