// Fuzz target: a body-part ID and the bytes of a data file, cut at the piece separator. The
// data file is the first of the fixed game's list, and `Find_Mesh_Path` looks the ID up; the
// mesh lister's own way of taking the "MODL" value after `Find_ID_In_Data_Files` runs too.
#include "fuzz/fuzz_fixtures.h"
#include "fuzz/fuzz_game.h"
#include "toolkit/toolkit.h"

#include <cstring>
#include <string>

namespace {

bool Is_Terminated(const Text_Slot& slot) { return std::memchr(slot, 0, sizeof slot) != nullptr; }

bool Is_All_Zero(const Text_Slot& slot)
{
    for (char c : slot)
        if (c != 0) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    const std::vector<std::string> pieces = Split_Input(data, size, 2);
    Reset_Fuzz_Game();
    Write_Fixture_Game();
    Write_Game_File("Data Files/Fuzz.esp", pieces[1]);
    Read_Data_File_List();
    const char* id = pieces[0].c_str();

    Text_Slot mesh = {};
    const int found = Find_Mesh_Path(id, mesh);
    Fuzz_Check(found >= -1 && found < Data_File_Count, "the lookup answers a list index or -1");
    Fuzz_Check(Search_Pos == 0, "the mesh path lookup leaves the cursor at 0");
    Fuzz_Check(Is_Terminated(mesh), "the mesh path fits its slot");
    if (found == -1)
        Fuzz_Check(Is_All_Zero(mesh), "a miss leaves the mesh path empty");
    else
        Fuzz_Check(std::strncmp(mesh, Meshes_Folder, std::strlen(Meshes_Folder)) == 0, "a hit is a mesh path");

    if (Find_ID_In_Data_Files(id) != -1) {
        Text_Slot value;
        Search_Pos = Find_Text("MODL", Search_Pos);
        Extract_Subrecord_Value(Search_Pos, value);
        Fuzz_Check(Is_Terminated(value), "the MODL value fits its slot");
    }
    Free_File_Buffer();
    return 0;
}
