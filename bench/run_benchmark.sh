#!/usr/bin/env bash
# The benchmark: builds what it needs in build/bench, writes the benchmark game folder, runs
# the listers on it in pipeline order and prints, per program, its wall time, the bytes it
# loads and scans, its peak memory and the floor measured in the same run, with the ratios;
# for the mesh lister also the byte-at-a-time baseline on a sample of the same lookups.
#
# Usage: bench/run_benchmark.sh [--seed N] [--scale X] [--plugins N] [--sample N] [--runs N]
#                               [--game DIR] [--keep]
#   --sample N  lookups in the baseline sample (0: all of them; the default is 24)
#   --runs N    runs of each one-shot lister and of each floor, the best one counts (default 3)
#   --game DIR  where the game folder is written (default build/bench/game), removed at the
#               end unless --keep is given
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/bench"
game="$build/game"
seed=8 scale=1 plugins=50 sample=24 runs=3 keep=0
while [ $# -gt 0 ]; do
    case "$1" in
        --seed) seed=$2; shift 2 ;;
        --scale) scale=$2; shift 2 ;;
        --plugins) plugins=$2; shift 2 ;;
        --sample) sample=$2; shift 2 ;;
        --runs) runs=$2; shift 2 ;;
        --game) game=$2; shift 2 ;;
        --keep) keep=1; shift ;;
        *) echo "unknown option $1" >&2; exit 2 ;;
    esac
done

echo "== building in $build"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVOREL_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target make-bench-game vorel-bench data-file-lister >/dev/null
for program in npc-lister mesh-lister race-lister; do
    cmake --build "$build" --target "$program" >/dev/null 2>&1 || echo "   ($program is not in the tree: left out)"
done
bench="$build/bench/vorel-bench"

echo "== writing the game folder $game (seed $seed, scale $scale, $plugins plugins)"
rm -rf "$game"
"$build/bench/make-bench-game" "$game" --seed "$seed" --scale "$scale" --plugins "$plugins"
trap '[ "$keep" = 1 ] || rm -rf "$game"' EXIT
cd "$game"
cat "Saves/Vorel.ess" Data\ Files/*.es? >/dev/null   # into the page cache, as for every later read

# figure NAME LINE: the value of NAME=... in a line of name=value pairs.
figure() { sed -n "s/.*\b$1=\([^ ]*\).*/\1/p" <<<"$2"; }
# best NAME LINES...: the line whose NAME is the smallest.
best() {
    local name=$1 line best_line="" best_value=""
    shift
    for line in "$@"; do
        local value
        value=$(figure "$name" "$line")
        if [ -z "$best_value" ] || awk -v a="$value" -v b="$best_value" 'BEGIN { exit !(a < b) }'; then
            best_value=$value best_line=$line
        fi
    done
    echo "$best_line"
}
# run_program FOLDER NAME CLOSING_LINE COUNT: the best of COUNT runs, or "" when not built.
run_program() {
    local binary="$build/$1/$2" lines=() i
    [ -x "$binary" ] || return 0
    for ((i = 0; i < $4; i++)); do lines+=("$("$bench" run "$binary" "$3" 3600)"); done
    best wall_s "${lines[@]}"
}
repeat_best() {
    local lines=() i
    for ((i = 0; i < runs; i++)); do lines+=("$("$bench" "$@")"); done
    best floor_s "${lines[@]}"
}

echo "== load average before the runs: $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) cores"
echo "== running the programs"
data_run=$(run_program data_file_lister data-file-lister "See 'Vorel OXT Files\\Vorel_Data_File_List.txt' for results" "$runs")
npc_run=$(run_program npc_lister npc-lister "See the text files in the 'Vorel OXT Files\\NPC Lists' folder for results" "$runs")
mesh_run=""
[ -n "$npc_run" ] && mesh_run=$(run_program mesh_lister mesh-lister "See the text files in the 'Vorel OXT Files\\Mesh Lists' folder for results" 1)
race_run=$(run_program race_lister race-lister "See the Vorel Race List text files for results" "$runs")

echo "== measuring the floors and the baseline"
save_floor=$(repeat_best floor-save)
all_floor=$(repeat_best floor-all)
lookups=""
baseline=""
if [ -n "$mesh_run" ]; then
    lookup_lines=$("$bench" lookups "$sample")
    lookups=$(sed -n 1p <<<"$lookup_lines")
    baseline=$(sed -n 2p <<<"$lookup_lines")
fi
echo "== load average after the runs: $(cut -d' ' -f1-3 /proc/loadavg)"

largest=$(figure largest "$all_floor")
limit_kb=$(( largest / 1024 + 16 * 1024 ))
mb() { awk -v b="$1" 'BEGIN { printf "%.1f", b / 1048576 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else printf "-" }'; }

echo
printf '%-17s %9s %11s %11s %9s %9s %7s %s\n' program "wall s" "loaded MB" "scanned MB" "peak MB" "floor s" ratio target
row() {  # NAME RUN LOADED SCANNED FLOOR TARGET
    if [ -z "$2" ]; then printf '%-17s %s\n' "$1" "not in the tree"; return; fi
    local wall peak
    wall=$(figure wall_s "$2")
    peak=$(figure peak_kb "$2")
    printf '%-17s %9.3f %11s %11s %9.1f %9.3f %7s %s\n' "$1" "$wall" "$(mb "$3")" "$(mb "$4")" \
        "$(awk -v k="$peak" 'BEGIN { print k / 1024 }')" "$5" "$(ratio "$wall" "$5")" "$6"
}
save_bytes=$(figure bytes "$save_floor")
all_bytes=$(figure bytes "$all_floor")
row data-file-lister "$data_run" "$save_bytes" "$save_bytes" "$(figure floor_s "$save_floor")" ""
row npc-lister "$npc_run" "$all_bytes" "$all_bytes" "$(figure floor_s "$all_floor")" "ratio <= 2"
if [ -n "$lookups" ]; then
    row mesh-lister "$mesh_run" "$(figure loaded "$lookups")" "$(figure scanned "$lookups")" \
        "$(figure floor_s "$lookups")" "ratio <= 1.5"
else
    row mesh-lister "" 0 0 0 ""
fi
row race-lister "$race_run" "$all_bytes" "$all_bytes" "$(figure floor_s "$all_floor")" "ratio <= 2"

echo
echo "floor: every file read whole into one block taken once from the system (its pages first"
echo "touched by that read) and one memchr pass over the bytes scanned; with the block already"
echo "touched, one pass over all data files takes $(figure warm_s "$all_floor") s."
echo "peak memory limit: largest data file $(mb "$largest") MB + 16 MB = $(mb $((limit_kb * 1024))) MB"
for entry in "data-file-lister:$data_run" "npc-lister:$npc_run" "mesh-lister:$mesh_run" "race-lister:$race_run"; do
    [ -n "${entry#*:}" ] || continue
    peak=$(figure peak_kb "${entry#*:}")
    [ "$peak" -le "$limit_kb" ] && verdict=within || verdict=OVER
    echo "  ${entry%%:*}: $(mb $((peak * 1024))) MB, $verdict"
done
if [ -n "$lookups" ]; then
    echo
    echo "mesh-lister: $(figure lookups "$lookups") lookups ($(figure misses "$lookups") found nowhere);" \
         "the same lookups run in process with the toolkit: $(figure toolkit_s "$lookups") s"
    echo "baseline, byte-at-a-time search, on $(figure sample "$baseline") of those lookups side by side:" \
         "$(figure baseline_s "$baseline") s against the toolkit's $(figure toolkit_s "$baseline") s," \
         "$(ratio "$(figure baseline_s "$baseline")" "$(figure toolkit_s "$baseline")") times faster (target >= 5);" \
         "answers that differ: $(figure mismatches "$baseline")"
fi
