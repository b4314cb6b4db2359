// Player appearance: the player's record is taken from the save, its head and hair resolved
// through the data files, and those meshes and its race's eleven body-part meshes copied over
// the mesh set of the player's sex. Both race lists are held open for the run; the file buffer
// holds the save, then the data files of the lookups, and is freed at the end.
#include "player_appearance/player_appearance.h"

#include "player_appearance/player_record.h"
#include "toolkit/toolkit.h"

#include <cstdio>
#include <cstring>

namespace {

// What the console says of one body part.
struct Body_Part_Lines {
    const char* name;
    const char* found_in;
    const char* not_found;
};

constexpr Body_Part_Lines Head_Lines = {
    "Player's head BP name is: ", "Found head BP in file: ", "Could not find head BP in any data file"};
constexpr Body_Part_Lines Hair_Lines = {
    "Player's hair BP name is: ", "Found hair BP in file: ", "Could not find hair BP in any data file"};

// Everything that depends on the player's sex.
struct Sex_Lines {
    const char* word;
    const char* race_list;
    const char* changed;
    const char* head_and_hair_only;
    const char* not_wholly_changed;  // some copies could not be written
    const char* not_changed;         // none could
};

constexpr Sex_Lines Male_Lines = {"male",
                                  Male_Race_List,
                                  "Vorel male player meshes have been changed to this appearance & race",
                                  "Only the head and hair of the Vorel male player meshes have been changed",
                                  "Vorel male player meshes have not been wholly changed",
                                  "Vorel male player meshes have not been changed"};
constexpr Sex_Lines Female_Lines = {"female",
                                    Female_Race_List,
                                    "Vorel female player meshes have been changed to this appearance & race",
                                    "Only the head and hair of the Vorel female player meshes have been changed",
                                    "Vorel female player meshes have not been wholly changed",
                                    "Vorel female player meshes have not been changed"};

// Prints the lines of one body part and fills mesh with its mesh path, or with the error-marker
// mesh when no data file holds it. A part whose ID the save lacks is not looked up: an empty ID
// would match the end of every body part's ID. Returns the data file's list index, or -1.
int Resolve_Body_Part(const Body_Part_Lines& lines, const char* id, Text_Slot& mesh)
{
    Print_Line(lines.name, id);
    std::memset(mesh, 0, sizeof mesh);
    const int file = id[0] != '\0' ? Find_Mesh_Path(id, mesh) : -1;
    if (file != -1) {
        Print_Line(lines.found_in, Data_File_Names[file]);
    } else {
        Print_Line(lines.not_found);
        Copy_To_Slot(mesh, Error_Marker_Mesh);
    }
    Print_Line("Uses mesh: ", mesh);
    Print_Line();
    return file;
}

// The closing lines: what was changed, and no change that did not happen. A race list that
// lists nothing was never written: the race lister is named.
void Report_Change(const Sex_Lines& sex, const char* race, int race_found, int race_unlisted,
                   const Mesh_Set_Change& change)
{
    if (race_unlisted) Report_Run_First(sex.race_list, Race_Lister);
    Print_Line("Done!");
    if (race_found == -1) {
        char line[2 * Text_Slot_Size];
        std::snprintf(line, sizeof line, "Could not find race '%s' in '%s'", race, sex.race_list);
        Print_Line(line);
    }
    // Without the race, a change of every copy made is one of head and hair only.
    const Change_Lines lines = {race_found != -1 ? sex.changed : sex.head_and_hair_only, sex.not_wholly_changed,
                                sex.not_changed};
    Print_Line(Change_Line(change, lines));
}

// The player's sex and race on the console, then head, hair and race over the targets.
void Change_Mesh_Set(const Player_Record& player, Text_In& race_list, Mesh_Set_Table& targets)
{
    const Sex_Lines& sex = player.female ? Female_Lines : Male_Lines;
    char who[2 * Text_Slot_Size];
    std::snprintf(who, sizeof who, "%s %s", sex.word, player.race);
    Print_Line("Player is a ", who);
    Print_Line();
    Text_Slot head_mesh = {};
    Text_Slot hair_mesh = {};
    Text_Slot scratch = {};
    Resolve_Body_Part(Head_Lines, player.head_id, head_mesh);
    Resolve_Body_Part(Hair_Lines, player.hair_id, hair_mesh);
    Mesh_Set_Change change = {};
    Copy_Into_Mesh_Set(head_mesh, targets[Mesh_Set_Head], change);
    Copy_Into_Mesh_Set(hair_mesh, targets[Mesh_Set_Hair], change);
    const int race_unlisted = Lists_Nothing(race_list);
    const int race_found =
        Copy_Race_Meshes(race_list, player.race, Race_Search_Field_By_Field, targets, scratch, change);
    Report_Change(sex, player.race, race_found, race_unlisted, change);
}

void Report_Nothing_Changed()
{
    Print_Line("Done!");
    Print_Line("No Vorel player meshes have been changed");
}

void Report_No_Player()
{
    Print_Line("Could not find the player's record in '", Save_Path, "'");
    Report_Nothing_Changed();
}

// With no data file to search, every body part would be the error-marker mesh: the mesh set
// keeps what it holds until the data-file lister has run.
void Report_No_Data_Files()
{
    Report_Run_First(Data_File_List, Data_File_Lister);
    Report_Nothing_Changed();
}

}  // namespace

int Change_Player_Meshes()
{
    if (Begin_Run_In_Game_Folder() == -1) return 0;
    Remove_Mesh_Set_Leftovers();
    Player_Record player = {};
    Mesh_Set_Table male_targets;
    Mesh_Set_Table female_targets;
    Fill_Mesh_Set(male_targets, 0);
    Fill_Mesh_Set(female_targets, 1);
    Read_Data_File_List();
    Text_In male_list;
    Text_In female_list;
    Open_Text_In(male_list, Male_Race_List);
    Open_Text_In(female_list, Female_Race_List);
    Load_File_Buffer(Save_Path);
    if (Data_Files_Listed() == 0) {
        Report_No_Data_Files();
    } else if (Read_Player_Record(player) == -1) {
        Report_No_Player();
    } else if (player.female) {
        Change_Mesh_Set(player, female_list, female_targets);
    } else {
        Change_Mesh_Set(player, male_list, male_targets);
    }
    Close_Text_In(male_list);
    Close_Text_In(female_list);
    Free_File_Buffer();
    Search_Pos = 0;
    return 0;
}
