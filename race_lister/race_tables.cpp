// The race tables: finding a race's row, filling a body-part slot, and the regular groin
// meshes of the male rows. Prints the line that announces each new race.
#include "race_lister/race_tables.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int Groin_Slot = Race_Row_Slot(Groin_Part);

struct Regular_Groin {
    const char* race;
    const char* mesh;
};

// The mod's own groin meshes for the male bodies of these races; they replace whatever
// the data files give.
constexpr Regular_Groin Regular_Groin_Mesh[] = {
    {"Breton", "Data Files\\Meshes\\Vorel\\Vorel_Br_UTA_Reg.NIF"},
    {"Dark Elf", "Data Files\\Meshes\\Vorel\\Vorel_De_UTA_Reg.NIF"},
    {"High Elf", "Data Files\\Meshes\\Vorel\\Vorel_He_UTA_Reg.NIF"},
    {"Imperial", "Data Files\\Meshes\\Vorel\\Vorel_Im_UTA_Reg.NIF"},
    {"Nord", "Data Files\\Meshes\\Vorel\\Vorel_No_UTA_Reg.NIF"},
    {"Redguard", "Data Files\\Meshes\\Vorel\\Vorel_Rg_UTA_Reg.NIF"},
    {"Wood Elf", "Data Files\\Meshes\\Vorel\\Vorel_We_UTA_Reg.NIF"},
    {"Orc", "Data Files\\Meshes\\Vorel\\Vorel_Or_UTA_Reg.NIF"},
};

// The listed parts in "BYDT" order, as the race error log names them.
constexpr const char* Body_Part_Words[Body_Part_Count] = {
    "Neck", "Chest", "Groin", "Hands", "Wrist", "Forearm", "Upperarm", "Foot", "Ankle", "Knee", "Upperleg",
};

constexpr const char* Adding_Race_Line[] = {"Adding Male Race: ", "Adding Female Race: "};

}  // namespace

int Clear_Race_Table(Race_Table& table, int female)
{
    std::memset(table.rows, 0, sizeof table.rows);
    table.count = 0;
    table.female = female;
    return 0;
}

int Find_Race_Row(const Race_Table& table, const char* race)
{
    for (int row = 0; row < table.count; ++row)
        if (std::strcmp(table.rows[row][Race_Name_Slot], race) == 0) return row;
    return -1;
}

int Add_Race_Mesh(Race_Table& table, const char* race, int slot, const char* mesh)
{
    int row = Find_Race_Row(table, race);
    if (row == -1) {
        // A race beyond the table's rows has nowhere to go; it is left out unannounced.
        if (table.count == Max_Races) return -1;
        Print_Line(Adding_Race_Line[table.female], race);
        Print_Line();
        row = table.count++;
        Copy_To_Slot(table.rows[row][Race_Name_Slot], race);
    }
    if (table.rows[row][slot][0] == '\0') Copy_To_Slot(table.rows[row][slot], mesh);
    return row;
}

int Apply_Regular_Groin_Meshes(Race_Table& male)
{
    for (int row = 0; row < male.count; ++row)
        for (const Regular_Groin& groin : Regular_Groin_Mesh)
            if (std::strcmp(male.rows[row][Race_Name_Slot], groin.race) == 0)
                Copy_To_Slot(male.rows[row][Groin_Slot], groin.mesh);
    return 0;
}

const char* Body_Part_Word(int slot) { return Body_Part_Words[slot - Race_Row_Slot(First_Listed_Part)]; }
