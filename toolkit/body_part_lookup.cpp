// The body-part lookup: the data files are loaded afresh, in list order, until one holds
// the ID directly followed by a "MODL" subrecord; and the one rule that makes a mesh path of
// a "MODL" value. Replaces the file buffer, moves Search_Pos and sets Data_File_Path; nothing
// is kept from one lookup to the next.
#include "toolkit/toolkit.h"

#include <cstring>

namespace {

// A "MODL" that begins one byte after the match ends five bytes after it, and no "MODL" ends sooner.
constexpr std::int32_t Modl_Window = 6;

bool Modl_Follows(std::int32_t match_end) { return Find_Text_Within("MODL", match_end, Modl_Window) != -1; }

}  // namespace

int Find_ID_In_Data_Files(const char* id)
{
    const int count = Data_Files_Listed();
    Search_Pos = -1;
    for (int i = 0; i < count; ++i) {
        Load_Data_File(i);
        while ((Search_Pos = Find_Text_No_Case(id, Search_Pos)) != -1)
            if (Modl_Follows(Search_Pos)) return i;
    }
    return -1;
}

// A path cut to fit its slot would name some other file, which a copy would then read, or a
// list would carry, in place of the mesh: such a value gives no path at all.
int Build_Mesh_Path(Text_Slot& out, const char* lead, const char* value)
{
    if (Join_Text(out, Text_Slot_Size, lead, Meshes_Folder, value) == 0) return 0;
    std::memset(out, 0, sizeof out);
    return -1;
}

int Find_Mesh_Path(const char* id, Text_Slot& out, const char* lead)
{
    int found = Find_ID_In_Data_Files(id);
    if (found != -1) {
        Text_Slot value;
        Extract_Next_Value("MODL", value);  // found: it follows the ID within a few bytes
        if (Build_Mesh_Path(out, lead, value) == -1) found = -1;
    }
    Search_Pos = 0;
    return found;
}
