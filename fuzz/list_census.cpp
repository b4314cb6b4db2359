// Fuzz target: a census list and the NPC list of the fixed game's first data file, cut at the
// piece separator, read as the mesh lister reads them: census names and counts, NPC lists
// named after them, each distinct head and hair looked up in the data files. The run must
// end, never touch rows or slots beyond the tables, and release the buffer.
#include "fuzz/fuzz_fixtures.h"
#include "fuzz/fuzz_game.h"
#include "mesh_lister/mesh_lister.h"
#include "toolkit/toolkit.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    const std::vector<std::string> pieces = Split_Input(data, size, 2);
    if (!Stays_In_Game_Folder(pieces[0])) return -1;
    Reset_Fuzz_Game();
    Write_Fixture_Game();
    Write_Game_File("Data Files/Fuzz.esp", Sample_Plugin_Bytes());
    Write_Game_File("Vorel OXT Files/NPC Lists/Base NPC List.txt", Fixture_NPC_List());
    Write_Game_File("Vorel OXT Files/NPC Lists/Fuzz NPC List.txt", pieces[1]);
    Write_Game_File("Vorel OXT Files/Vorel_Data_File_Census_List.txt", pieces[0]);
    Build_Mesh_Lists();
    Fuzz_Check(Is_File_Buffer_Free() == 1, "the mesh lister releases the buffer");
    const std::string merged = Read_Game_File("Vorel_NPC_List.txt");
    Fuzz_Check(merged.empty() || merged.compare(merged.size() - 2, 2, "\r\n") == 0,
               "the merged NPC list holds whole lines");
    return 0;
}
