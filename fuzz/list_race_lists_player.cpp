// Fuzz target: the male and the female race list, cut at the piece separator, as player
// appearance reads them for the player of a fixed save (male for an input of even length,
// female for odd). The race search must end at the end of the list, and only the mesh set
// of the player's sex may change.
#include "fuzz/fuzz_fixtures.h"
#include "fuzz/fuzz_game.h"
#include "player_appearance/player_appearance.h"
#include "toolkit/toolkit.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    if (!Stays_In_Game_Folder(Input_Bytes(data, size))) return -1;
    const std::vector<std::string> pieces = Split_Input(data, size, 2);
    Reset_Fixture_Game(Sample_Plugin_Bytes());
    Write_Game_File("Saves/Vorel.ess", Sample_Save_Bytes(static_cast<int>(size % 2)));
    Write_Game_File("Vorel_MRace_List.txt", pieces[0]);
    Write_Game_File("Vorel_FRace_List.txt", pieces[1]);
    Change_Player_Meshes();
    Fuzz_Check(Is_File_Buffer_Free() == 1 && Search_Pos == 0, "player appearance releases the buffer");
    Fuzz_Check(Mesh_Set_Of_One_Sex(), "only the mesh set of the player's sex is written");
    return 0;
}
