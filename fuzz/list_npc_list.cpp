// Fuzz target: the given bytes are an NPC list, read into the NPC field tables as the mesh
// lister reads it. Nothing may be written beyond the tables or a slot, and the row count
// the reader answers must lie within the tables.
#include "fuzz/fuzz_game.h"
#include "toolkit/toolkit.h"

#include <cstring>
#include <string>

namespace {

constexpr const char* Fuzzed_List = "Vorel OXT Files\\NPC Lists\\Fuzz NPC List.txt";

bool Row_Is_Terminated(int row)
{
    for (const Text_Slot* table :
         {NPC_ID_Table, NPC_Head_Table, NPC_Hair_Table, NPC_Race_Table, NPC_Sex_Table, NPC_Name_Table})
        if (std::memchr(table[row], 0, sizeof(Text_Slot)) == nullptr) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    Reset_Fuzz_Game();
    Write_Game_File("Vorel OXT Files/NPC Lists/Fuzz NPC List.txt", Input_Bytes(data, size));
    const int rows = Read_NPC_List(Fuzzed_List, 0);
    Fuzz_Check(rows >= 0 && rows <= Max_NPC_Rows, "the reader's row count lies within the tables");
    for (int row = 0; row < rows; ++row) Fuzz_Check(Row_Is_Terminated(row), "every field of a row fits its slot");
    return 0;
}
