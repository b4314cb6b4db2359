// The search of a race list for the line of one race, and the copy of that line's eleven
// body-part meshes over the mesh set: player appearance and the partner monitor change the
// set's body parts through it. Uses no process-wide state.
#include "toolkit/toolkit.h"

#include <cstring>

namespace {

// The rest of a line that the whole-lines search passes over is read in pieces of at most
// 1499 characters.
constexpr int Line_Piece_Size = 1500;

// True when the race field just read, of the given length, is race.
bool Is_Race(const Text_Slot& field, int length, const char* race, Race_Search search)
{
    if (search == Race_Search_Field_By_Field) return std::strcmp(field, race) == 0;
    return Is_Whole_Field(field, length, race) == 1;
}

// Passes over the rest of a line whose first field has been read. False when the search ends
// there: a whole-lines search ends at an empty rest.
bool Pass_Over_Line(Text_In& list, Race_Search search, Text_Slot& field)
{
    if (search == Race_Search_Field_By_Field) {
        for (int part = 0; part < Body_Part_Count; ++part) Read_Race_Field(list, field);
        Read_List_Line(list, field);
        return true;
    }
    char rest[Line_Piece_Size];
    return Skip_Line(list, rest, Line_Piece_Size) != 0;
}

}  // namespace

int Copy_Race_Meshes(Text_In& list, const char* race, Race_Search search, Mesh_Set_Table& set, Text_Slot& field,
                     Mesh_Set_Change& change)
{
    if (race[0] == '\0') return -1;
    Rewind_Text_In(list);
    for (;;) {
        const int length = Read_Race_Field(list, field);
        if (list.at_end) return -1;
        if (Is_Race(field, length, race, search)) break;
        if (!Pass_Over_Line(list, search, field)) return -1;
    }
    return Copy_Race_Row_Meshes(list, set, field, change);
}
