#!/usr/bin/env bash
# The benchmark: builds what it needs in build/bench, writes the benchmark game folder, runs
# the listers on it in pipeline order and prints, per program, its wall time, the bytes it
# reads, its peak memory and the floor measured in the same run, with the ratios; for the mesh
# lister the floors of its lookups with reads stopped at the answer and with whole-file reads,
# the toolkit at each filter width and the byte-at-a-time baseline on a sample of the lookups.
#
# Usage: bench/run_benchmark.sh [--seed N] [--scale X] [--plugins N] [--sample N] [--runs N]
#                               [--game DIR] [--keep] [--before DIR]
#   --sample N    lookups in the baseline sample (0: all of them; the default is 24)
#   --runs N      runs of each one-shot lister and of each floor, the best one counts (default 3)
#   --game DIR    where the game folder is written (default build/bench/game), removed at the
#                 end unless --keep is given
#   --before DIR  a build folder of another tree (e.g. of an earlier commit): its listers run
#                 in the same run, after these, and every file they write is compared with
#                 what these wrote
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/program_table.sh"
build="$root/build/bench"
game="$build/game"
seed=8 scale=1 plugins=50 sample=24 runs=3 keep=0 before=""
while [ $# -gt 0 ]; do
    case "$1" in
        --seed) seed=$2; shift 2 ;;
        --scale) scale=$2; shift 2 ;;
        --plugins) plugins=$2; shift 2 ;;
        --sample) sample=$2; shift 2 ;;
        --runs) runs=$2; shift 2 ;;
        --game) game=$2; shift 2 ;;
        --keep) keep=1; shift ;;
        --before) before=$(cd "$2" && pwd); shift 2 ;;
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
trap '[ "$keep" = 1 ] || rm -rf "$game"; rm -rf "$game.written"' EXIT
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
# run_program BUILD PROGRAM COUNT: the best of COUNT runs, or "" when not built.
run_program() {
    local binary="$1/$(program_folder "$2")/$2" closing lines=() i
    [ -x "$binary" ] || return 0
    closing=$(closing_line "$2")
    for ((i = 0; i < $3; i++)); do lines+=("$("$bench" run "$binary" "$closing" 3600)"); done
    best wall_s "${lines[@]}"
}
repeat_best() {
    local lines=() i
    for ((i = 0; i < runs; i++)); do lines+=("$("$bench" "$@")"); done
    best floor_s "${lines[@]}"
}
# run_listers BUILD PREFIX: the four listers in pipeline order; their figures in PREFIX_run.
run_listers() {
    local -n data=$2_data npc=$2_npc mesh=$2_mesh race=$2_race
    data=$(run_program "$1" data-file-lister "$runs")
    npc=$(run_program "$1" npc-lister "$runs")
    mesh=""
    [ -n "$npc" ] && mesh=$(run_program "$1" mesh-lister 1)
    race=$(run_program "$1" race-lister "$runs")
}
# Every list and log the listers write.
written() { find "Vorel OXT Files" -maxdepth 2 -type f; ls Vorel_*.txt 2>/dev/null || true; }

echo "== load average before the runs: $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) cores"
echo "== running the programs"
run_listers "$build" this
same_output=""
if [ -n "$before" ]; then
    echo "== running the programs of $before"
    rm -rf "$game.written" && mkdir -p "$game.written"
    written | while read -r file; do mkdir -p "$game.written/$(dirname "$file")" && cp "$file" "$game.written/$file"; done
    run_listers "$before" before
    same_output=yes
    written | while read -r file; do cmp -s "$file" "$game.written/$file" || echo "   differs: $file"; done | grep . && same_output=NO
    [ "$(written | wc -l)" = "$(find "$game.written" -type f | wc -l)" ] || same_output=NO
fi

echo "== measuring the floors and the baseline"
save_floor=$(repeat_best floor-save)
all_floor=$(repeat_best floor-all)
lookups=""
baseline=""
if [ -n "$this_mesh" ]; then
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
printf '%-24s %9s %11s %9s %9s %7s %s\n' program "wall s" "read MB" "peak MB" "floor s" ratio target
row() {  # NAME RUN FLOOR TARGET
    if [ -z "$2" ]; then printf '%-24s %s\n' "$1" "not in the tree"; return; fi
    printf '%-24s %9.3f %11s %9.1f %9.3f %7s %s\n' "$1" "$(figure wall_s "$2")" "$(mb "$(figure read "$2")")" \
        "$(awk -v k="$(figure peak_kb "$2")" 'BEGIN { print k / 1024 }')" "$3" "$(ratio "$(figure wall_s "$2")" "$3")" "$4"
}
save_s=$(figure floor_s "$save_floor")
all_s=$(figure floor_s "$all_floor")
prefix_s=$(figure prefix_s "$lookups")
row data-file-lister "$this_data" "$save_s" ""
row npc-lister "$this_npc" "$all_s" "no slower than before"
row mesh-lister "$this_mesh" "$prefix_s" "ratio <= 1.25"
row race-lister "$this_race" "$all_s" "no slower than before"
if [ -n "$before" ]; then
    row "data-file-lister before" "$before_data" "$save_s" ""
    row "npc-lister before" "$before_npc" "$all_s" ""
    row "mesh-lister before" "$before_mesh" "$prefix_s" ""
    row "race-lister before" "$before_race" "$all_s" ""
fi

echo
echo "floor of the one-pass listers: every file read whole into one block taken once from the"
echo "system (its pages first touched by that read) and one memchr pass; with the block already"
echo "touched, one pass over all data files takes $(figure warm_s "$all_floor") s."
if [ -n "$lookups" ]; then
    echo "floor of the mesh lister: its $(figure lookups "$lookups") lookups ($(figure misses "$lookups") found nowhere)" \
         "with a first-and-last-byte scan $(figure floor_width "$lookups") bytes wide" \
         "(AVX-512: $(figure prefix_64_s "$lookups") s, AVX2: $(figure prefix_32_s "$lookups") s; the best counts):"
    echo "  reads stopped at the answer, in 256 KiB blocks: $(figure prefix_s "$lookups") s," \
         "$(mb "$(figure prefix_read "$lookups")") MB read, answers that differ from the toolkit's:" \
         "$(figure prefix_mismatches "$lookups")"
    echo "  whole-file reads: $(figure whole_s "$lookups") s, $(mb "$(figure whole_read "$lookups")") MB read," \
         "answers that differ from the toolkit's: $(figure whole_mismatches "$lookups");" \
         "mesh-lister against it: $(ratio "$(figure wall_s "$this_mesh")" "$(figure whole_s "$lookups")")"
    echo "  the same lookups run in process with the toolkit: $(figure toolkit_s "$lookups") s with the filter" \
         "$(figure width "$lookups") bytes wide, $(mb "$(figure toolkit_read "$lookups")") MB read;" \
         "16 bytes wide: $(figure toolkit_16_s "$lookups") s"
fi
echo "peak memory limit: largest data file $(mb "$largest") MB + 16 MB = $(mb $((limit_kb * 1024))) MB"
for entry in "data-file-lister:$this_data" "npc-lister:$this_npc" "mesh-lister:$this_mesh" "race-lister:$this_race"; do
    [ -n "${entry#*:}" ] || continue
    peak=$(figure peak_kb "${entry#*:}")
    [ "$peak" -le "$limit_kb" ] && verdict=within || verdict=OVER
    echo "  ${entry%%:*}: $(mb $((peak * 1024))) MB, $verdict"
done
[ -z "$same_output" ] || echo "every list and log the same as the listers of $before wrote: $same_output"
if [ -n "$baseline" ]; then
    echo "baseline, byte-at-a-time search, on $(figure sample "$baseline") of the lookups side by side:" \
         "$(figure baseline_s "$baseline") s against the toolkit's $(figure toolkit_s "$baseline") s," \
         "$(ratio "$(figure baseline_s "$baseline")" "$(figure toolkit_s "$baseline")") times faster;" \
         "answers that differ: $(figure mismatches "$baseline")"
fi
