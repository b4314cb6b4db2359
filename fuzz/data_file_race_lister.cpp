// Fuzz target: the given bytes are the first data file of the fixed game's list, and the race
// lister runs over the list: its "BODY" scan on the fuzzed file, then on the fixed master.
// The scan must end, write nothing outside a race row, and leave whole race lists.
#include "fuzz/fuzz_fixtures.h"
#include "fuzz/fuzz_game.h"
#include "race_lister/race_lister.h"
#include "toolkit/toolkit.h"

#include <string>

namespace {

// True when the list is empty or ends as a race row does: its twelfth field's "*" and CR LF.
// (A race name may hold a line end of its own, so the rows are not counted.)
bool Lines_Are_Whole(const std::string& list)
{
    return list.empty() || (list.size() >= 3 && list.compare(list.size() - 3, 3, "*\r\n") == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    Reset_Fixture_Game(Input_Bytes(data, size));
    Build_Race_Lists();
    Fuzz_Check(Is_File_Buffer_Free() == 1, "the race lister releases the buffer");
    Fuzz_Check(Lines_Are_Whole(Read_Game_File("Vorel_MRace_List.txt")), "the male race list holds whole rows");
    Fuzz_Check(Lines_Are_Whole(Read_Game_File("Vorel_FRace_List.txt")), "the female race list holds whole rows");
    return 0;
}
