// Replays the mesh lister's order of lookups through the toolkit's own list readers, so the
// benchmark looks up exactly the IDs the program does, in the same order.
#include "bench/lookup_replay.h"

#include "toolkit/toolkit.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace bench {

namespace {

struct Column_Memo {
    std::vector<std::string> seen;
};

void Add_Once(std::vector<Lookup>& lookups, Column_Memo& memo, const char* id)
{
    if (std::find(memo.seen.begin(), memo.seen.end(), id) != memo.seen.end()) return;
    memo.seen.emplace_back(id);
    lookups.push_back({id, -1, -1, 0.0});
}

// The lookups of one census line with NPCs: head then hair, row after row.
void Add_Data_File(std::vector<Lookup>& lookups, const Path_Slot& npc_list_path, int census_count)
{
    const int lines = Read_NPC_List(npc_list_path, census_count);
    const int rows = std::max(0, std::min(census_count, lines));
    Column_Memo heads;
    Column_Memo hairs;
    for (int row = 0; row < rows; ++row) {
        Add_Once(lookups, heads, NPC_Head_Table[row]);
        Add_Once(lookups, hairs, NPC_Hair_Table[row]);
    }
}

}  // namespace

std::vector<Lookup> Mesh_Lister_Lookups()
{
    std::vector<Lookup> lookups;
    Read_Data_File_List();
    Text_In census;
    Open_Text_In(census, Census_List);
    static Named_Lists named;  // too large for a stack
    named.count = 0;
    Text_Slot name;
    Read_Census_Name(census, name);
    while (!census.at_end) {
        const int census_count = Read_Census_Count(census);
        Path_Slot npc_list;
        Path_Slot mesh_list;
        Name_Data_File_Lists(named, name, npc_list, mesh_list);
        if (census_count != 0) Add_Data_File(lookups, npc_list, census_count);
        Read_Census_Name(census, name);
    }
    Close_Text_In(census);
    return lookups;
}

void Run_Toolkit_Lookups(std::vector<Lookup>& lookups)
{
    for (Lookup& lookup : lookups) {
        const auto start = std::chrono::steady_clock::now();
        lookup.found = Find_ID_In_Data_Files(lookup.id.c_str());
        lookup.match_end = Search_Pos;
        Text_Slot value;
        if (lookup.found != -1) Extract_Next_Value("MODL", value);
        lookup.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    Free_File_Buffer();
}

}  // namespace bench
