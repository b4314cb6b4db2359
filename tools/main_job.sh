#!/usr/bin/env bash
# Installs what is missing, builds the programs, writes the sample game folder
# "sample-game" and runs the whole pipeline there, showing what each program wrote.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)
tools/install_deps.sh native
cmake --preset user >/dev/null
cmake --build --preset user -j "$(nproc)"
bin="$top/build/user"

rm -rf sample-game
"$bin/tools/sample_game/make-sample-game" sample-game
cd sample-game

# The programs never exit: each is ended once its closing line is on the console.
run_until() {
    echo "================ $1"
    "$bin/tools/program_run/run-until" "$bin/${1//-/_}/$1" "$2" || true
}

show() {
    for file in "$@"; do
        echo "---- $file"
        tr -d '\r' <"$file"
    done
}

run_until data-file-lister "See 'Vorel OXT Files\Vorel_Data_File_List.txt' for results"
show "Vorel OXT Files/Vorel_Data_File_List.txt"
run_until npc-lister "See the text files in the 'Vorel OXT Files\NPC Lists' folder for results"
show "Vorel OXT Files/Vorel_Data_File_Census_List.txt" "Vorel OXT Files/NPC Lists/"*.txt
run_until mesh-lister "See the text files in the 'Vorel OXT Files\Mesh Lists' folder for results"
show Vorel_NPC_List.txt "Vorel OXT Files/NPC Errors.txt"
run_until race-lister "See the Vorel Race List text files for results"
show Vorel_MRace_List.txt Vorel_FRace_List.txt "Vorel OXT Files/Race Errors.txt"
run_until player-appearance "Vorel male player meshes have been changed to this appearance & race"
echo "---- the male mesh set now holds:"
for mesh in "Data Files/Meshes/Vorel/Vorel_Male1_"*0.NIF; do
    printf '%-52s %s\n' "${mesh##*/}" "$(tail -c +18 "$mesh" | tr -d '\n')"
done
echo "================ partner-monitor"
log=$(mktemp)
"$bin/partner_monitor/partner-monitor" >"$log" 2>&1 &
pid=$!
sleep 1
# The game side's request: marker, one byte, the NPC's ID, nine bytes.
printf '>\000vorel_ilmeni123456789' >"Data Files/MWSE/Vorel_Partner.bin"
for _ in $(seq 1 50); do
    grep -q "Your current lover is" "Data Files/MWSE/Vorel_Partner_Name.bin" 2>/dev/null && break
    sleep 0.1
done
sleep 0.6
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
cat "$log"
rm -f "$log"
echo "---- answer: $(tr -d '\000' <"Data Files/MWSE/Vorel_Partner_Name.bin")"
echo "---- the female mesh set now holds:"
for mesh in "Data Files/Meshes/Vorel/Vorel_Fem1_"*0.NIF; do
    printf '%-52s %s\n' "${mesh##*/}" "$(tail -c +18 "$mesh" | tr -d '\n')"
done
