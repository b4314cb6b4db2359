// Fuzz target: the given bytes are the data-file list. The toolkit's reader takes it into
// the name table and a lookup walks the names; the NPC lister and the race lister read it
// as they do, each loading every data file it names (missing ones are created empty).
// Every reading loop must end, and nothing may be written beyond the name table or a path.
#include "fuzz/fuzz_game.h"
#include "npc_lister/npc_lister.h"
#include "race_lister/race_lister.h"
#include "toolkit/toolkit.h"

#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    const std::string_view list(reinterpret_cast<const char*>(data), size);
    if (!Stays_In_Game_Folder(list)) return -1;
    Reset_Fuzz_Game();
    Write_Game_File("Vorel OXT Files/Vorel_Data_File_List.txt", list);

    Read_Data_File_List();
    for (const Text_Slot& name : Data_File_Names)
        Fuzz_Check(std::memchr(name, 0, sizeof name) != nullptr, "every name fits its slot");
    Fuzz_Check(Find_ID_In_Data_Files("b_n_dark elf_m_head_01") == -1, "no data file of an empty game holds a part");
    Free_File_Buffer();

    // The NPC lister reads the list line by line itself and names an NPC list after each name.
    Build_NPC_Lists();
    Fuzz_Check(Is_File_Buffer_Free() == 1 && Search_Pos == 0, "the NPC lister releases the buffer");
    Build_Race_Lists();
    Fuzz_Check(Is_File_Buffer_Free() == 1, "the race lister releases the buffer");
    return 0;
}
