// The partner lookup: a line search of the merged NPC list, then head and hair copied over
// the mesh set of the NPC's sex and a search of that sex's race list for the eleven body
// parts. Uses no process-wide state of its own; the race lists belong to the caller.
#include "partner_monitor/partner_request.h"

#include <cstdio>
#include <cstring>

namespace {

// Lines of the merged list that are not the NPC's are passed over 499 characters at a time.
constexpr int NPC_Line_Piece_Size = 500;

// What the console says of a race search, by sex.
struct Race_Lines {
    const char* race_list;
    Change_Lines change;
};

constexpr Race_Lines Male_Race_Lines = {Male_Race_List,
                                        {"Changed Vorel male mesh set to this mesh",
                                         "Could not wholly change Vorel male mesh set to this mesh",
                                         "Could not change Vorel male mesh set to this mesh"}};
constexpr Race_Lines Female_Race_Lines = {Female_Race_List,
                                          {"Changed Vorel female mesh set to this mesh",
                                           "Could not wholly change Vorel female mesh set to this mesh",
                                           "Could not change Vorel female mesh set to this mesh"}};

// The fields of the matching line of the merged list after its ID.
struct NPC_Line {
    Text_Slot head;
    Text_Slot hair;
    Text_Slot race;
    Text_Slot sex;
    Text_Slot name;
};

// Reads the merged list from its start for the first line whose ID is id and fills line
// with its fields. Returns 0, or -1 when the list ends, or an empty line comes, first.
int Find_NPC_Line(Text_In& list, const char* id, NPC_Line& line)
{
    char skipped[NPC_Line_Piece_Size];
    for (;;) {
        const int first = Peek_Text_In(list);
        if (first == -1 || first != static_cast<unsigned char>(id[0])) {
            if (Skip_Line(list, skipped, NPC_Line_Piece_Size) == 0) return -1;
            continue;
        }
        Text_Slot line_id;
        const int length = Read_NPC_ID(list, line_id);
        if (Is_Whole_Field(line_id, length, id)) break;
        if (Skip_Line(list, skipped, NPC_Line_Piece_Size) == 0) return -1;
    }
    Read_NPC_Fields(list, line.head, line.hair, line.race, line.sex, line.name);
    return 0;
}

// A list that lists nothing was never written: the program that writes it is named, at the
// request that needed it, since the monitor reads its lists afresh for every request.
void Report_Race_Missing(const Race_Lines& lines, const char* id, const NPC_Line& line, Text_Out& errors,
                         Text_In& races)
{
    // The race runs into "in" without a space: the line has always read so.
    char missing[2 * Path_Slot_Size];
    std::snprintf(missing, sizeof missing, "ERROR!!! Could not find Race: %sin %s! See the OXT Errors Log for details",
                  line.race, lines.race_list);
    Print_Line(missing);
    if (Lists_Nothing(races)) Report_Run_First(lines.race_list, Race_Lister);
    Print_Line();
    Write_Line(errors, "Could not find Race: ", line.race);
    Write_Line(errors, "Used by NPC: ", line.name);
    Write_Line(errors, "NPC's ID: ", id);
    Write_Line(errors, "");
}

// The console lines of a found NPC, then its head, hair and race over the set of its sex.
void Change_Appearance(const char* id, NPC_Line& line, Text_Out& errors, Text_In& male_races, Text_In& female_races)
{
    Print_Line("ID found! Changing lover's appearance to: ", line.name);
    Print_Line("Head: ", line.head);
    Print_Line("Hair: ", line.hair);
    Print_Line("Race: ", line.race);
    const int female = line.sex[0] != Male_Sex_Field[0];
    const Race_Lines& lines = female ? Female_Race_Lines : Male_Race_Lines;
    Mesh_Set_Table set;
    Fill_Mesh_Set(set, female);
    Mesh_Set_Change change = {};
    Copy_Into_Mesh_Set(line.head, set[Mesh_Set_Head], change);
    Copy_Into_Mesh_Set(line.hair, set[Mesh_Set_Hair], change);
    Text_In& races = female ? female_races : male_races;
    Text_Slot field;
    if (Copy_Race_Meshes(races, line.race, Race_Search_Whole_Lines, set, field, change) == -1) {
        Report_Race_Missing(lines, id, line, errors, races);
        return;
    }
    Print_Line(Change_Line(change, lines.change));
    Print_Line();
}

void Report_NPC_Missing(const char* id, Text_Out& errors, int unlisted)
{
    char missing[2 * Path_Slot_Size];
    std::snprintf(missing, sizeof missing, "ERROR!!! Could not find NPC: %s in %s!", id, Merged_NPC_List);
    Print_Line(missing);
    Print_Line("See the OXT Errors Log for details");
    Print_Line("Try choosing a different lover!");
    if (unlisted) Report_Run_First(Merged_NPC_List, Mesh_Lister);
    Print_Line();
    Write_Line(errors, "Could not find NPC ID: ", id);
    Write_Line(errors, "");
}

}  // namespace

int Handle_Partner_Request(const char* id, Text_Out& errors, Text_In& male_races, Text_In& female_races,
                           Text_Slot& full_name)
{
    // Every request names the files that it could not write, though an earlier one did.
    Forget_Unwritten_Files();
    Text_In list;
    Open_Text_In(list, Merged_NPC_List);
    NPC_Line line = {};
    const int unlisted = Lists_Nothing(list);
    const int found = Find_NPC_Line(list, id, line);
    if (found == -1) {
        Report_NPC_Missing(id, errors, unlisted);
    } else {
        std::memcpy(full_name, line.name, sizeof full_name);
        Change_Appearance(id, line, errors, male_races, female_races);
    }
    Close_Text_In(list);
    return found;
}
