#!/usr/bin/env bash
# Installs what is missing, builds the programs, writes the sample game folder
# "sample-game" and runs the whole pipeline there, showing what each program wrote. Exits
# non-zero, naming the step, when a program does not reach its closing line or the partner
# monitor does not answer its request.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)
. tools/program_table.sh
tools/install_deps.sh native
cmake --preset user >/dev/null
cmake --build --preset user -j "$(nproc)"
bin="$top/build/user"

rm -rf sample-game
"$bin/tools/sample_game/make-sample-game" sample-game
cd sample-game

fail() {
    echo "main job FAILED at $1" >&2
    exit 1
}

# The programs never exit: each is ended once its closing line is on the console.
run_until() {
    echo "================ $1"
    "$bin/tools/program_run/run-until" "$bin" "$1" || fail "$1: no closing line"
}

show() {
    for file in "$@"; do
        echo "---- $file"
        tr -d '\r' <"$file"
    done
}

# A mesh-set file of the sample game: a 16-byte stand-in header, then the name of its mesh.
show_mesh_set() {
    for mesh in "Data Files/Meshes/Vorel/Vorel_$1_"*0.NIF; do
        printf '%-52s %s\n' "${mesh##*/}" "$(tail -c +17 "$mesh" | tr -d '\n')"
    done
}

# wait_for SECONDS WHAT COMMAND...: polls COMMAND every 0.1 s until it succeeds; fails the job
# naming WHAT when SECONDS pass first.
wait_for() {
    local tries=$(($1 * 10)) what=$2
    shift 2
    for ((i = 0; i < tries; i++)); do
        "$@" && return 0
        sleep 0.1
    done
    fail "$what"
}

run_until data-file-lister
show "Vorel OXT Files/Vorel_Data_File_List.txt"
run_until npc-lister
show "Vorel OXT Files/Vorel_Data_File_Census_List.txt" "Vorel OXT Files/NPC Lists/"*.txt
run_until mesh-lister
show Vorel_NPC_List.txt "Vorel OXT Files/NPC Errors.txt"
run_until race-lister
show Vorel_MRace_List.txt Vorel_FRace_List.txt "Vorel OXT Files/Race Errors.txt"
run_until player-appearance
echo "---- the male mesh set now holds:"
show_mesh_set Male1

echo "================ partner-monitor"
log=$(mktemp)
monitor_line=$(closing_line partner-monitor)
"$bin/$(program_folder partner-monitor)/partner-monitor" >"$log" 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; rm -f "$log"' EXIT
# The monitor's line: once it watches, and again once it has served a request.
started() { grep -qF -- "$monitor_line" "$log"; }
served() { awk -v line="$monitor_line" '/^Searching for NPC ID/ { s = 1 } s && index($0, line) { f = 1 } END { exit !f }' "$log"; }
answered() { grep -q "Your current lover is" "Data Files/MWSE/Vorel_Partner_Name.bin" 2>/dev/null; }
wait_for 10 "partner-monitor: no start line" started
# The game side's request: marker, one byte, the NPC's ID, nine bytes.
printf '>\000vorel_ilmeni123456789' >"Data Files/MWSE/Vorel_Partner.bin"
wait_for 10 "partner-monitor: no line after the request" served
wait_for 1 "partner-monitor: no answer to the request" answered
kill "$pid"
wait "$pid" 2>/dev/null || true
cat "$log"
echo "---- answer: $(tr -d '\000' <"Data Files/MWSE/Vorel_Partner_Name.bin")"
echo "---- the female mesh set now holds:"
show_mesh_set Fem1
