// The mesh set: the thirteen files per sex in "Data Files\Meshes\Vorel\" that the game
// loads for the mod's characters and that the partner monitor and player appearance overwrite,
// and the copy of a race row's eleven body-part meshes over them.
#include "toolkit/toolkit.h"

namespace {

constexpr const char* Mesh_Set_Folder = "Data Files\\Meshes\\Vorel\\";
constexpr const char* Mesh_Set_Words[Mesh_Set_Size] = {"Head",    "Hair",  "Neck", "Chest", "Groin", "Hand", "Wrist",
                                                       "Forearm", "Uparm", "Foot", "Ankle", "Knee",  "Upleg"};
constexpr const char* Male_Stem = "Vorel_Male1_";
constexpr const char* Female_Stem = "Vorel_Fem1_";
constexpr const char* Name_End = "0.NIF";  // the set's index, 0 in every name, and the extension

}  // namespace

int Fill_Mesh_Set(Mesh_Set_Table& table, int female)
{
    for (int slot = 0; slot < Mesh_Set_Size; ++slot) {
        Text_Slot stem;
        Join_Text(stem, Text_Slot_Size, female ? Female_Stem : Male_Stem, Mesh_Set_Words[slot]);
        Join_Text(table[slot], Text_Slot_Size, Mesh_Set_Folder, stem, Name_End);
    }
    return 0;
}

int Copy_Into_Mesh_Set(Text_Slot& source, const char* target, Mesh_Set_Change& change)
{
    if (Copy_Mesh_File(source, target) == 0)
        ++change.written;
    else
        ++change.failed;
    return 0;
}

int Copy_Race_Row_Meshes(Text_In& list, Mesh_Set_Table& set, Text_Slot& field, Mesh_Set_Change& change)
{
    for (int part = First_Listed_Part; part <= Last_Listed_Part; ++part) {
        Read_Race_Field(list, field);
        Copy_Into_Mesh_Set(field, set[Mesh_Set_Slot(part)], change);
    }
    return 0;
}

int Remove_Mesh_Set_Leftovers()
{
    for (int female = 0; female <= 1; ++female) {
        Mesh_Set_Table set;
        Fill_Mesh_Set(set, female);
        for (const Text_Slot& file : set) Remove_Leftover_Of(file);
    }
    return 0;
}

const char* Change_Line(const Mesh_Set_Change& change, const Change_Lines& lines)
{
    if (change.failed == 0) return lines.changed;
    return change.written == 0 ? lines.not_changed : lines.not_wholly_changed;
}
