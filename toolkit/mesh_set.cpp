// The mesh set: the thirteen files per sex in "Data Files\Meshes\Vorel\" that the game
// loads for the mod's characters and that the partner monitor and player appearance overwrite.
#include "toolkit/toolkit.h"

#include <cstdio>

namespace {

constexpr const char* Mesh_Set_Folder = "Data Files\\Meshes\\Vorel\\";
constexpr const char* Mesh_Set_Words[Mesh_Set_Size] = {"Head",    "Hair",  "Neck", "Chest", "Groin", "Hand", "Wrist",
                                                       "Forearm", "Uparm", "Foot", "Ankle", "Knee",  "Upleg"};
constexpr int Set_Index = 0;

}  // namespace

int Fill_Mesh_Set(Mesh_Set_Table& table, int female)
{
    for (int slot = 0; slot < Mesh_Set_Size; ++slot) {
        Text_Slot stem;
        std::snprintf(stem, sizeof stem, "%s%s", female ? "Vorel_Fem1_" : "Vorel_Male1_", Mesh_Set_Words[slot]);
        std::snprintf(table[slot], sizeof table[slot], "%s%s%i%s", Mesh_Set_Folder, stem, Set_Index, ".NIF");
    }
    return 0;
}
