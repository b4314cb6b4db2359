// The mesh lister's run: every census line with NPCs has its NPC list read into the NPC
// field tables, its head and hair slots resolved in place, and its rows written to its
// mesh list and the merged NPC list. Progress goes to the console, misses to the log.
#include "mesh_lister/mesh_lister.h"

#include "mesh_lister/mesh_resolution.h"
#include "toolkit/toolkit.h"

namespace {

Named_Lists Lists_Named;  // the lists of the run so far, too large for a stack

constexpr const char* Block_End = "======================================";

// A row whose head and hair are resolved, as an NPC line: a resolved slot is its mark, the
// delimiter that stands before its field in the line, followed by the mesh path. Each line is
// flushed at once: the merged list stays open until after the closing lines, and a console
// closed right after them must not lose its last lines.
void Write_Mesh_Line(Text_Out& out, int row)
{
    Write_NPC_Line(out, {NPC_ID_Table[row], Mesh_Path_Of(NPC_Head_Table[row]), Mesh_Path_Of(NPC_Hair_Table[row]),
                         NPC_Race_Table[row], NPC_Sex_Table[row], NPC_Name_Table[row]});
}

// The rows to resolve and write: as many as the census says, but never rows that the NPC
// list did not fill, which would still hold an earlier data file's NPCs.
int Rows_To_List(int census_count, int lines_read)
{
    const int rows = census_count < lines_read ? census_count : lines_read;
    return rows > 0 ? rows : 0;
}

void Write_Mesh_List(Mesh_Run& run, const Path_Slot& npc_list_path, const Path_Slot& mesh_list_path)
{
    run.rows = Rows_To_List(run.census_count, Read_NPC_List(npc_list_path, run.census_count));
    Print_Line("Creating text file: ", mesh_list_path);
    Text_Out mesh_list;
    Open_Whole_Text_Out(mesh_list, mesh_list_path);  // after the line that names it, so a failure follows it
    Print_Line();
    for (int row = 0; row < run.rows; ++row) {
        Resolve_Slot(run, Head_Column, row);
        Resolve_Slot(run, Hair_Column, row);
    }
    for (int row = 0; row < run.rows; ++row) {
        Write_Mesh_Line(mesh_list, row);
        Write_Mesh_Line(run.merged_list, row);
    }
    Close_Text_Out(mesh_list);
}

// The rest of the census line whose name has been read, and its block on the console.
void List_Census_Line(Mesh_Run& run, Text_In& census)
{
    run.slots_resolved = 0;
    run.census_count = Read_Census_Count(census);
    // Every census line is named, with NPCs or without, as the NPC lister named its lists.
    Path_Slot npc_list_path;
    Path_Slot mesh_list_path;
    Name_Data_File_Lists(Lists_Named, run.census_name, npc_list_path, mesh_list_path);
    if (run.census_count == 0) {
        Print_Line("No NPC's in data file: ", run.census_name);
        Print_Line();
    } else {
        Write_Mesh_List(run, npc_list_path, mesh_list_path);
    }
    Print_Line(Block_End);
    Print_Line();
}

// Without the data-file list no lookup has a data file to search; without the census list
// there is nothing to resolve. The first program of the pipeline that would mend it is named.
void Report_Missing_Input(const Mesh_Run& run)
{
    if (Data_Files_Listed() != 0 && run.files_done != 0) return;
    if (Data_Files_Listed() == 0)
        Report_Run_First(Data_File_List, Data_File_Lister);
    else
        Report_Run_First(Census_List, NPC_Lister);
    Print_Line();
}

void Print_Closing_Lines(const Mesh_Run& run)
{
    Report_Missing_Input(run);
    Print_Line("Done!");
    Print_Folder_Pointer(Mesh_Lists_Folder);
    if (run.miss_flag == 0) return;
    Print_Line("Meshes for some NPC head/hair body parts could not be found!");
    // A log that could not take its entries has been said to be so: nothing points to it.
    if (!run.errors_log.failed) Print_Log_Pointer(NPC_Errors_Log);
}

}  // namespace

int Build_Mesh_Lists()
{
    if (Begin_Run_In_Game_Folder() == -1) return 0;
    Mesh_Run run = {};
    Lists_Named.count = 0;
    // A killed run's leftovers, under names of the data files it listed, which may differ.
    Remove_Leftover_Of(Merged_NPC_List);
    Remove_Leftovers_In(Mesh_Lists_Folder);
    Open_Text_Out(run.errors_log, NPC_Errors_Log, 0);
    Open_Whole_Text_Out(run.merged_list, Merged_NPC_List);
    Read_Data_File_List();
    Text_In census;
    Open_Text_In(census, Census_List);
    // The last census line is listed even without its line end: only a name read that
    // meets the end of the census list ends the run.
    Read_Census_Name(census, run.census_name);
    while (!census.at_end) {
        List_Census_Line(run, census);
        Read_Census_Name(census, run.census_name);
        ++run.files_done;
    }
    // Closed before the closing lines, so that a list or log that could not be written whole
    // is said before them.
    Close_Text_Out(run.errors_log);
    Close_Text_In(census);
    Close_Text_Out(run.merged_list);
    Print_Closing_Lines(run);
    Free_File_Buffer();
    return 0;
}
