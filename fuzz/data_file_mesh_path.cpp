// Fuzz target: a body-part ID and the bytes of a data file, cut at the piece separator. The
// data file is the first of the fixed game's list, and `Find_Mesh_Path` looks the ID up, with
// and without the mesh lister's lead mark; the "MODL" value after `Find_ID_In_Data_Files` too.
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

    // The mesh lister's lookup: a lead costs at most a path that no longer fits with it.
    Text_Slot marked = {};
    const int marked_found = Find_Mesh_Path(id, marked, "<");
    Fuzz_Check(marked_found == found || marked_found == -1, "a lead changes no data file found");
    if (marked_found != -1)
        Fuzz_Check(marked[0] == '<' && std::strcmp(marked + 1, mesh) == 0, "the lead stands before the same path");

    if (Find_ID_In_Data_Files(id) != -1) {
        Text_Slot value;
        Fuzz_Check(Extract_Next_Value("MODL", value) == 1, "the MODL that follows the ID is found");
        Fuzz_Check(Is_Terminated(value), "the MODL value fits its slot");
    }
    Free_File_Buffer();
    return 0;
}
