// The body-part lookup: the data files are loaded afresh, in list order, until one holds
// the ID directly followed by a "MODL" subrecord. Replaces the file buffer, moves
// Search_Pos and sets Data_File_Path; nothing is kept from one lookup to the next.
#include "toolkit/toolkit.h"

#include <cstdio>

namespace {

// The number of data files a lookup tries: the list's count, within the name table.
int Data_Files_To_Try()
{
    if (Data_File_Count < 1) return 0;
    return Data_File_Count < Max_Data_Files ? Data_File_Count : Max_Data_Files;
}

// A "MODL" that begins one byte after the match ends five bytes after it, and no "MODL" ends sooner.
constexpr std::int32_t Modl_Window = 6;

bool Modl_Follows(std::int32_t match_end) { return Find_Text_Within("MODL", match_end, Modl_Window) != -1; }

}  // namespace

int Find_ID_In_Data_Files(const char* id)
{
    const int count = Data_Files_To_Try();
    Search_Pos = -1;
    for (int i = 0; i < count; ++i) {
        std::snprintf(Data_File_Path, sizeof Data_File_Path, "%s%s", Data_Files_Folder, Data_File_Names[i]);
        Load_File_Buffer(Data_File_Path);
        Search_Pos = 0;
        while ((Search_Pos = Find_Text_No_Case(id, Search_Pos)) != -1)
            if (Modl_Follows(Search_Pos)) return i;
    }
    return -1;
}

int Find_Mesh_Path(const char* id, Text_Slot& out)
{
    const int found = Find_ID_In_Data_Files(id);
    if (found != -1) {
        Search_Pos = Find_Text("MODL", Search_Pos);
        Field_Start = Skip_Nuls(Search_Pos + 1);
        Field_End = Skip_To_Nul(Field_Start) - 1;
        Text_Slot value;
        Copy_Field_To_Slot(value);
        std::snprintf(out, sizeof out, "%s%s", Meshes_Folder, value);
    }
    Search_Pos = 0;
    return found;
}
