#!/usr/bin/env bash
# Runs one fuzz target for a bounded time:
#   run_fuzzer.sh <fuzzer> <work-dir> <seed-dir-or-file>...
# LGBATCH_FUZZ_SECONDS (default 40) bounds the run. New inputs that reach new code are kept in
# <work-dir>/corpus between runs; an input that breaks a promise, crashes, hangs (5 s) or takes
# too much memory is saved in <work-dir>/ (crash-*, timeout-*, oom-*, leak-*) and fails the run.
# Seeds are the files this program writes and reads (golden files, sample tables) and the inputs
# of earlier findings under fuzz/corpus/<target>/.
set -uo pipefail

if [[ $# -lt 2 ]]; then
    echo "usage: $0 <fuzzer> <work-dir> [seed-dir-or-file...]" >&2
    exit 2
fi
fuzzer=$1
work=$2
shift 2
seconds=${LGBATCH_FUZZ_SECONDS:-40}
name=$(basename "$fuzzer")

mkdir -p "$work/corpus" "$work/seeds"
# libFuzzer takes folders: single seed files are gathered into one.
seeds=()
for seed in "$@"; do
    if [[ -d $seed ]]; then
        seeds+=("$seed")
    elif [[ -f $seed ]]; then
        cp -f "$seed" "$work/seeds/"
    fi
done
seeds+=("$work/seeds")

log=$work/fuzz.log
"$fuzzer" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 -max_len=16384 \
    -print_final_stats=1 -artifact_prefix="$work/" "$work/corpus" "${seeds[@]}" >"$log" 2>&1
status=$?

runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n1)
if [[ $status -ne 0 ]]; then
    tail -n 60 "$log"
    echo "$name: FINDING after ${runs:-?} inputs (exit $status); the input is in $work/"
    exit 1
fi
echo "$name: ${runs:-?} inputs in $seconds s, no finding; corpus $(ls "$work/corpus" | wc -l) inputs"
