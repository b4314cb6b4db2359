// Fuzz target: the given bytes are the first data file of the fixed game's list, and the NPC
// lister runs over the list: its record scan and field steps on the fuzzed file, then on the
// fixed master. The run must end with both census lines written and the buffer released.
#include "fuzz/fuzz_fixtures.h"
#include "fuzz/fuzz_game.h"
#include "npc_lister/npc_lister.h"
#include "toolkit/toolkit.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    Reset_Fixture_Game(Input_Bytes(data, size));
    Build_NPC_Lists();
    Fuzz_Check(Is_File_Buffer_Free() == 1 && Search_Pos == 0, "the NPC lister releases the buffer");
    const std::string census = Read_Game_File("Vorel OXT Files/Vorel_Data_File_Census_List.txt");
    Fuzz_Check(census.rfind("Fuzz.esp*", 0) == 0 && census.find("\r\nBase.esm*1\r\n") != std::string::npos,
               "every data file of the list gets its census line");
    return 0;
}
