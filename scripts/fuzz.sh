#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer in build-fuzz and runs each in
# turn for SECONDS (default 60), growing its corpus in fuzz/corpus/<target>;
# then minimises every corpus in place. Usage: scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
secondi=${1:-60}
shift || true
obiettivi=("$@")
if [ ${#obiettivi[@]} -eq 0 ]; then
    obiettivi=(profilo trascrizione elenco pagine versioni appuramenti registro)
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2 --target "${obiettivi[@]/#/fuzz_}"

export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for t in "${obiettivi[@]}"; do
    corpus=fuzz/corpus/$t
    nuovo=build-fuzz/corpus-nuovo/$t
    mkdir -p "$corpus" "$nuovo"
    echo "== $t: ${secondi}s"
    # Found cases land in the build folder, the corpus grows in a scratch one.
    esito=0
    build-fuzz/fuzz/fuzz_$t -max_total_time="$secondi" -max_len=4096 \
        -artifact_prefix=build-fuzz/ -print_final_stats=1 "$nuovo" "$corpus" \
        >"build-fuzz/fuzz_$t.log" 2>&1 || esito=$?
    grep -E '^(stat::(number_of_executed_units|average_exec_per_sec)|promise|SUMMARY)' \
        "build-fuzz/fuzz_$t.log" || true
    if [ "$esito" -ne 0 ]; then
        echo "$t: fault found, see build-fuzz/fuzz_$t.log"
        exit 1
    fi
    # Only the inputs that add coverage are kept.
    minimo=build-fuzz/corpus-minimo/$t
    rm -rf "$minimo" && mkdir -p "$minimo"
    build-fuzz/fuzz/fuzz_$t -merge=1 -max_len=4096 "$minimo" "$corpus" "$nuovo" >/dev/null 2>&1
    rm -rf "$corpus" "$nuovo" && mv "$minimo" "$corpus"
    echo "$t: $(ls "$corpus" | wc -l) inputs kept"
done
