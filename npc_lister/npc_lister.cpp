// The NPC lister's run: for every name of the data-file list, its data file is loaded and
// scanned into its NPC list, and its census line is written. Reads the list line by line
// itself, so neither the count on line 1 nor the name table bounds it.
#include "npc_lister/npc_lister.h"

#include "npc_lister/npc_records.h"
#include "toolkit/toolkit.h"

namespace {

Named_Lists Lists_Named;  // the NPC lists of the run so far, too large for a stack

// One data file's turn: its NPC list, the scan of the data file, its census line.
void List_Data_File(Text_Out& census, const Text_Slot& list_name)
{
    Path_Slot npc_list_path;
    Path_Slot mesh_list_path;
    Name_Data_File_Lists(Lists_Named, list_name, npc_list_path, mesh_list_path);
    Print_Line();
    Print_Line("Creating text file: ", npc_list_path);
    Text_Out npc_list;
    Open_Whole_Text_Out(npc_list, npc_list_path);  // after the line that names it, so a failure follows it
    Load_Data_File_Named(list_name);
    Write_Census_Line(census, list_name, Write_NPC_Records(npc_list));
    Close_Text_Out(npc_list);
}

}  // namespace

int Build_NPC_Lists()
{
    if (Begin_Run_In_Game_Folder() == -1) return 0;
    Lists_Named.count = 0;
    // A killed run's leftovers, under names of the data files it listed, which may differ.
    Remove_Leftover_Of(Census_List);
    Remove_Leftovers_In(NPC_Lists_Folder);
    Text_Out census;
    Open_Whole_Text_Out(census, Census_List);
    Text_In data_files;
    Open_Text_In(data_files, Data_File_List);
    Text_Slot list_name;
    Read_List_Line(data_files, list_name);  // the count line: the names themselves decide
    // A name counts only when its line end follows it: a last line without one is not listed.
    int turns = 0;
    for (; Read_List_Line(data_files, list_name), !data_files.at_end; ++turns) List_Data_File(census, list_name);
    // Closed before the closing lines, so that a census list that could not be written whole
    // is said before them.
    Close_Text_In(data_files);
    Close_Text_Out(census);
    if (turns == 0) Report_Run_First(Data_File_List, Data_File_Lister);
    Print_Line();
    Print_Line("Done!");
    Print_Folder_Pointer(NPC_Lists_Folder);
    Free_File_Buffer();
    Search_Pos = 0;
    return 0;
}
