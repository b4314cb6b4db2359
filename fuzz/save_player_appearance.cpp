// Fuzz target: the given bytes are the save "Saves\Vorel.ess", and player appearance runs on
// it in the fixed game (data-file list, master, race lists, a few meshes). Its record scan
// must end at the end of the save, and the run may change only one sex's mesh set.
#include "fuzz/fuzz_fixtures.h"
#include "fuzz/fuzz_game.h"
#include "player_appearance/player_appearance.h"
#include "toolkit/toolkit.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    Reset_Fuzz_Game();
    Write_Fixture_Game();
    Write_Game_File("Saves/Vorel.ess", Input_Bytes(data, size));
    Change_Player_Meshes();
    Fuzz_Check(Is_File_Buffer_Free() == 1 && Search_Pos == 0, "player appearance releases the buffer");
    Fuzz_Check(Mesh_Set_Of_One_Sex(), "only the mesh set of the player's sex is written");
    return 0;
}
