#!/usr/bin/env bash
# Runs the fuzz targets of the fuzz preset's build, each for the given number of seconds,
# several at once, from the committed seed corpora (which are only read). Any crash, sanitizer
# report, broken promise, hang or memory blow-up is a finding: its input is kept in
# build/fuzz/findings and the script fails.
# Usage: tools/run_fuzz.sh [seconds per target, default 600] [target names...]
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)
seconds=${1:-600}
[ $# -gt 0 ] && shift
bin="$top/build/fuzz/fuzz"
findings="$top/build/fuzz/findings"
mkdir -p "$findings"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for program in "$bin"/fuzz-*; do targets+=("${program##*/fuzz-}"); done
fi
[ ${#targets[@]} -gt 0 ] || { echo "no fuzz targets in $bin: build the fuzz preset first" >&2; exit 1; }

# The targets make and empty their scratch game folders below TMPDIR on every input: a
# memory file system keeps that fast.
parent=/dev/shm
[ -d "$parent" ] && [ -w "$parent" ] || parent=${TMPDIR:-/tmp}
scratch=$(mktemp -d "$parent/vorel-fuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

run_target() {
    local name=$1 work="$scratch/$1"
    mkdir -p "$work/tmp" "$work/new"
    # New inputs go to a scratch folder; the committed corpus is read only.
    if TMPDIR="$work/tmp" "$bin/fuzz-$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$findings/$name-" "$work/new" "$top/fuzz/corpus/$name" \
        >"$work/log" 2>&1; then
        echo "fuzz $name: clean, $(grep -o 'stat::number_of_executed_units: *[0-9]*' "$work/log" | grep -o '[0-9]*$') runs"
    else
        echo "fuzz $name: FINDING"
        tail -n 40 "$work/log"
        return 1
    fi
}

jobs=$(nproc)
failed=0
running=0
for name in "${targets[@]}"; do
    if [ "$running" -ge "$jobs" ]; then
        wait -n || failed=1
        running=$((running - 1))
    fi
    run_target "$name" &
    running=$((running + 1))
done
while [ "$running" -gt 0 ]; do
    wait -n || failed=1
    running=$((running - 1))
done
if [ "$failed" -ne 0 ]; then
    echo "fuzzing found faults; inputs in $findings" >&2
    exit 1
fi
echo "fuzzing: ${#targets[@]} targets clean"
