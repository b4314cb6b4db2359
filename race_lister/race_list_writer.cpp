// Writes the race tables out: a race row per table row, the error-marker mesh in place of an
// empty body-part slot, and a race error log entry for each such slot.
#include "race_lister/race_lister.h"
#include "race_lister/race_tables.h"

namespace {

constexpr const char* Missing_Part_Line[] = {"Could not find mesh for male body part: ",
                                             "Could not find mesh for female body part: "};
constexpr const char* Used_By_Line[] = {"Used by male race: ", "Used by female race: "};

// Writes one row as a line; returns 1 when a body-part slot was empty, else 0.
int Write_Table_Row(const Race_Table& table, int row, Text_Out& list, Text_Out& log)
{
    const Race_Row& slots = table.rows[row];
    const char* fields[Race_Row_Slots] = {slots[Race_Name_Slot]};
    int missing = 0;
    for (int slot = Race_Name_Slot + 1; slot < Race_Row_Slots; ++slot) {
        fields[slot] = slots[slot];
        if (slots[slot][0] != '\0') continue;
        fields[slot] = Error_Marker_Mesh;
        Write_Line(log, Missing_Part_Line[table.female], Body_Part_Word(slot));
        Write_Line(log, Used_By_Line[table.female], slots[Race_Name_Slot]);
        Write_Line(log, "");
        missing = 1;
    }
    Write_Race_Row(list, fields);
    return missing;
}

// Writes table to the list at path, created anew; returns 1 when a slot was empty.
int Write_Race_List(const Race_Table& table, const char* path, Text_Out& log)
{
    Text_Out list;
    Open_Whole_Text_Out(list, path);
    int missing = 0;
    for (int row = 0; row < table.count; ++row) missing |= Write_Table_Row(table, row, list, log);
    Close_Text_Out(list);
    return missing;
}

}  // namespace

int Write_Race_Lists(const Race_Table& male, const Race_Table& female)
{
    Remove_Leftover_Of(Male_Race_List);
    Remove_Leftover_Of(Female_Race_List);
    Text_Out log;
    Open_Text_Out(log, Race_Errors_Log, 0);
    int missing = Write_Race_List(male, Male_Race_List, log);
    missing |= Write_Race_List(female, Female_Race_List, log);
    const int logged = Close_Text_Out(log) == 0;
    if (!missing) return Race_Parts_All_Found;
    return logged ? Race_Parts_Missing : Race_Parts_Missing_Unlogged;
}
