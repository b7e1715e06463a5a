#!/usr/bin/env bash
# make fuzz: builds the program's own text logic natively with clang's libFuzzer, AddressSanitizer
# and UndefinedBehaviorSanitizer, and runs each target of tests/fuzz for a set time (seconds, the
# first argument or FUZZ_SECONDS; 60 by default). The committed seeds in tests/fuzz/corpus/<target>
# are read only; new inputs go to build/fuzz/work/<target>. Any crash or sanitizer report fails.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
OUT=${GLM_BUILD_DIR:-$ROOT/build}/fuzz
SECONDS_EACH=${1:-${FUZZ_SECONDS:-60}}
"$ROOT/tools/bootstrap.sh" --fuzz
CXX=${FUZZ_CXX:-clang++}
FLAGS=(-std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all
       -fno-omit-frame-pointer -I "$ROOT/setup")
mkdir -p "$OUT"
status=0
for target in "$ROOT"/tests/fuzz/*_fuzz.cpp; do
    name=$(basename "$target" .cpp)
    sources=$(sed -n 's|^// fuzz-sources:||p' "$target")
    missing=""
    for source in $sources; do [ -f "$ROOT/$source" ] || missing="$missing $source"; done
    if [ -n "$missing" ]; then
        echo "fuzz: $name skipped, its product code is not here:$missing"
        continue
    fi
    (cd "$ROOT" && "$CXX" "${FLAGS[@]}" "$target" $sources -o "$OUT/$name")
    seeds="$ROOT/tests/fuzz/corpus/$name"
    mkdir -p "$OUT/work/$name" "$OUT/artifacts" "$seeds"
    echo "fuzz: $name for ${SECONDS_EACH}s"
    if ! "$OUT/$name" -max_total_time="$SECONDS_EACH" -max_len=8192 -timeout=10 -rss_limit_mb=2048 \
            -print_final_stats=1 -artifact_prefix="$OUT/artifacts/$name-" \
            "$OUT/work/$name" "$seeds" >"$OUT/$name.log" 2>&1; then
        echo "fuzz: $name FAILED (log: $OUT/$name.log, inputs: $OUT/artifacts/)"
        tail -40 "$OUT/$name.log"
        status=1
    else
        grep -E '^stat::number_of_executed_units|^Done' "$OUT/$name.log" | sed "s/^/fuzz: $name: /" || true
    fi
done
exit $status
