// The partner lookup: a line search of the merged NPC list, then head and hair copied over
// the mesh set of the NPC's sex and a search of that sex's race list for the eleven body
// parts. Uses no process-wide state of its own; the race lists belong to the caller.
#include "partner_monitor/partner_request.h"

#include <cstdio>
#include <cstring>

namespace {

// Skipped text is read into one buffer: lines of the merged list 499 characters at a time,
// rests of race-list lines 1499 at a time.
constexpr int Skip_Buffer_Size = 1500;
constexpr int NPC_Line_Limit = 500;
constexpr int Race_Rest_Limit = 1500;

// What the console says of a race search, by sex.
struct Race_Lines {
    const char* race_list;
    const char* changed;
    const char* not_wholly_changed;  // some copies could not be written
    const char* not_changed;         // none could
    const char* not_found;
};

constexpr Race_Lines Male_Race_Lines = {
    Male_Race_List, "Changed Vorel male mesh set to this mesh", "Could not wholly change Vorel male mesh set to this mesh",
    "Could not change Vorel male mesh set to this mesh", "in Vorel_MRace_List.txt! See the OXT Errors Log for details"};
constexpr Race_Lines Female_Race_Lines = {Female_Race_List,
                                          "Changed Vorel female mesh set to this mesh",
                                          "Could not wholly change Vorel female mesh set to this mesh",
                                          "Could not change Vorel female mesh set to this mesh",
                                          "in Vorel_FRace_List.txt! See the OXT Errors Log for details"};

// The fields of the matching line of the merged list after its ID.
struct NPC_Line {
    Text_Slot head;
    Text_Slot hair;
    Text_Slot race;
    Text_Slot sex;
    Text_Slot name;
};

// True when the field just read, of the given length, is wanted exactly.
bool Same_Field(const char* field, int length, const char* wanted)
{
    return static_cast<size_t>(length) == std::strlen(wanted) && std::memcmp(field, wanted, std::strlen(wanted)) == 0;
}

// Passes over the rest of the current line, however long, in pieces of at most limit - 1
// characters, so that the text after a piece is never taken for a line of its own.
// Returns the length of the first piece: 0 at the end of the list or on an empty rest.
int Skip_Line(Text_In& list, char* buffer, int limit)
{
    const int first = Read_Field(list, List_Line_End, buffer, limit);
    int piece = first;
    while (piece == limit - 1) piece = Read_Field(list, List_Line_End, buffer, limit);
    return first;
}

// Reads the merged list from its start for the first line whose ID is id and fills line
// with its fields. Returns 0, or -1 when the list ends, or an empty line comes, first.
int Find_NPC_Line(Text_In& list, const char* id, NPC_Line& line)
{
    char skipped[Skip_Buffer_Size];
    for (;;) {
        const int first = Peek_Text_In(list);
        if (first == -1 || first != static_cast<unsigned char>(id[0])) {
            if (Skip_Line(list, skipped, NPC_Line_Limit) == 0) return -1;
            continue;
        }
        Text_Slot line_id;
        const int length = Read_NPC_ID(list, line_id);
        if (Same_Field(line_id, length, id)) break;
        if (Skip_Line(list, skipped, NPC_Line_Limit) == 0) return -1;
    }
    Read_NPC_Fields(list, line.head, line.hair, line.race, line.sex, line.name);
    return 0;
}

// Searches races from its first line for the line whose first field is race exactly and
// copies its eleven body-part meshes over set, each as soon as it is read. Returns 0, or -1
// when no line holds the race. An empty race counts as missing: it would otherwise match the
// empty field read at the end of the list and put the error marker over every body part. So
// does a first field cut off by the end of the list (a list that a full disk left short): it
// begins no line, and has no body parts after it.
int Copy_Race_Meshes(Text_In& races, const char* race, Mesh_Set_Table& set, Mesh_Set_Change& change)
{
    if (race[0] == '\0') return -1;
    Rewind_Text_In(races);
    char skipped[Skip_Buffer_Size];
    Text_Slot field;
    for (;;) {
        const int length = Read_Race_Field(races, field);
        if (races.at_end) return -1;
        if (Same_Field(field, length, race)) break;
        if (Skip_Line(races, skipped, Race_Rest_Limit) == 0) return -1;
    }
    return Copy_Race_Row_Meshes(races, set, field, change);
}

// A list that lists nothing was never written: the program that writes it is named, at the
// request that needed it, since the monitor reads its lists afresh for every request.
void Report_Race_Missing(const Race_Lines& lines, const char* id, const NPC_Line& line, Text_Out& errors,
                         Text_In& races)
{
    Print_Line("ERROR!!! Could not find Race: ", line.race, lines.not_found);
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
    if (Copy_Race_Meshes(races, line.race, set, change) == -1) {
        Report_Race_Missing(lines, id, line, errors, races);
        return;
    }
    if (change.failed == 0)
        Print_Line(lines.changed);
    else
        Print_Line(change.written == 0 ? lines.not_changed : lines.not_wholly_changed);
    Print_Line();
}

void Report_NPC_Missing(const char* id, Text_Out& errors, int unlisted)
{
    Print_Line("ERROR!!! Could not find NPC: ", id, " in Vorel_NPC_List.txt!");
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
