// The scan of the data files for body parts: every "BODY" record that passes the record
// test is judged by its "BYDT" bytes, and a taken one gives its race's table of that sex
// the mesh of its "MODL". Moves Search_Pos, Field_Start and Field_End; sets Data_File_Path.
#include "race_lister/race_tables.h"

#include <cstring>

namespace {

// The "BYDT" bytes, counted from just after the tag.
constexpr int Part_Number_Offset = 4;
constexpr int Flags_Offset = 6;
constexpr int Part_Type_Offset = 7;

constexpr const char* First_Person_Mark = "1st";

// What one "BODY" hit leaves: the search goes on from Search_Pos, or the data file holds
// no further tag that a record needs, so nothing more in it can be taken.
constexpr int Search_On = 0;
constexpr int File_Done = 1;

int Signed_Byte(std::int32_t pos)
{
    const int byte = Buffer_Byte(pos);
    return byte > 127 ? byte - 256 : byte;
}

// The length of the value that the last extraction located, uncut.
std::int32_t Value_Length() { return Field_End - Field_Start + 1; }

// True when the record's ID, the "NAME" value that ends at name_end, marks a first-person
// hand. The cursor is put back on the "BYDT" data at bydt_end.
bool Is_First_Person_Hand(std::int32_t name_end, std::int32_t bydt_end)
{
    Text_Slot id;
    Extract_Subrecord_Value(name_end, id);
    Search_Pos = bydt_end;
    return std::strstr(id, First_Person_Mark) != nullptr;
}

// The race-row slot of the body part whose "BYDT" data follows bydt_end, or -1 when the
// record is passed over: a part type other than 0 (or "BYDT" bytes cut off by the end of
// the file), a part outside Neck to Upperleg, or a first-person hand.
int Part_Slot(std::int32_t name_end, std::int32_t bydt_end)
{
    if (Buffer_Byte(bydt_end + Part_Type_Offset) != 0) return -1;
    const int part = Signed_Byte(bydt_end + Part_Number_Offset);
    if (part == Hands_Part && Is_First_Person_Hand(name_end, bydt_end)) return -1;
    if (part < First_Listed_Part || part > Last_Listed_Part) return -1;
    return Race_Row_Slot(part);
}

// Judges the "BODY" tag that ends at body_end and takes the record when it is accepted. A race
// name that does not fit its slot, or an empty one, leaves the record out. A mesh path that
// does not fit is no mesh: the race still gets its row, and the part's slot stays open for a
// later record, or is listed as missing with its log entry.
int Take_Body_Record(std::int32_t body_end, Race_Table& male, Race_Table& female)
{
    const std::int32_t name_end = Record_Name_End(body_end, Body_Record_Size_Byte);
    if (name_end == -1) return Search_On;
    Search_Pos = Find_Text("BYDT", name_end);
    if (Search_Pos == -1) return File_Done;
    const std::int32_t bydt_end = Search_Pos;
    const int slot = Part_Slot(name_end, bydt_end);
    if (slot == -1) return Search_On;
    Race_Table& table = Buffer_Byte(bydt_end + Flags_Offset) != 0 ? female : male;
    Text_Slot mesh_value;
    Text_Slot race;
    Search_Pos = body_end;
    if (Extract_Next_Value("MODL", mesh_value) == 0) return File_Done;
    if (Extract_Next_Value("FNAM", race) == 0) return File_Done;
    if (Value_Length() < 1 || Value_Length() > Text_Slot_Chars) return Search_On;
    Text_Slot mesh;
    Build_Mesh_Path(mesh, "", mesh_value);
    Add_Race_Mesh(table, race, slot, mesh);
    return Search_On;
}

int Scan_Data_File(int index, Race_Table& male, Race_Table& female)
{
    Load_Data_File(index);
    while ((Search_Pos = Find_Text("BODY", Search_Pos)) != -1)
        if (Take_Body_Record(Search_Pos, male, female) == File_Done) break;
    return 0;
}

}  // namespace

int Scan_Data_Files(Race_Table& male, Race_Table& female)
{
    const int count = Data_Files_Listed();
    for (int index = 0; index < count; ++index) Scan_Data_File(index, male, female);
    return 0;
}
