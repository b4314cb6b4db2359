// The data-file lister: every "MAST" value of the save that passes its tests is printed and
// written to the data-file list in the order of the save; the list is then read back and
// written again with its count line, the names reversed. Uses Data_File_Names as staging.
#include "data_file_lister/data_file_lister.h"

#include "toolkit/toolkit.h"

#include <cstring>

namespace {

// Bounds the value of the "MAST" whose tag ends at Search_Pos; true when it is a name to
// list. A value that runs to the end of the save without its NUL is no whole name. Leaves
// Search_Pos on the tag.
bool Take_Name(Text_Slot& name)
{
    if (Bound_Subrecord_Value(Search_Pos) == -1) return false;
    if (Field_End - Field_Start + 1 > Longest_Data_File_Name) return false;
    Copy_Field_To_Slot(name);
    return std::strstr(name, "Children") == nullptr;
}

// Lists the save's names in the order of the save; returns how many were listed.
int List_Save_Names(Text_Out& list)
{
    Text_Slot name = {};
    int listed = 0;
    Search_Pos = 0;
    while ((Search_Pos = Find_Text("MAST", Search_Pos)) != -1) {
        if (!Take_Name(name) || listed == Max_Data_Files) continue;
        Print_Line("Adding Data File: ", name);
        ++listed;
        Write_List_Line(list, name);
        Search_Pos = Field_End;
    }
    return listed;
}

// Reads the names back from the list in the order of the save, which waits beside the list.
void Read_Back_Names()
{
    Temporary_Path save_order;
    Name_Temporary_File(save_order, Data_File_List);
    Text_In list;
    Open_Text_In(list, save_order);
    Read_Names_Into_Table(list);
    Close_Text_In(list);
}

void Write_Reversed_List(int count)
{
    Text_Out list;
    Open_Whole_Text_Out(list, Data_File_List);
    Write_Count_Line(list, count);
    for (int slot = count - 1; slot >= 0; --slot) Write_List_Line(list, Data_File_Names[slot]);
    Close_Text_Out(list);
}

// The game names its saves itself ("Kendo0000.ess"): a player who has not copied one to
// "Saves\Vorel.ess" would otherwise see every later program find nothing, and not know why.
void Report_No_Save()
{
    Print_Line("Error! '", Save_Path, "' is missing or empty");
    Print_Line("Save the game, then copy the newest save file in 'Saves' to 'Vorel.ess'");
}

}  // namespace

int Build_Data_File_List()
{
    if (Begin_Run_In_Game_Folder() == -1) return 0;
    Remove_Leftover_Of(Data_File_List);
    // The list in the order of the save is written beside the list and read back from there:
    // only the finished list takes the list's name. One that could not be written whole
    // leaves the list as it is, and is said to be so.
    Text_Out list;
    Open_Whole_Text_Out(list, Data_File_List);
    Load_File_Buffer(Save_Path);
    const int count = List_Save_Names(list);
    if (Close_Text_Out_Beside(list) == 0) {
        Read_Back_Names();
        Write_Reversed_List(count);
    }
    if (Buffer_Byte(0) == -1) Report_No_Save();
    Print_Line();
    Print_Line("Done!");
    Print_List_Pointer(Data_File_List);
    Free_File_Buffer();
    Search_Pos = 0;
    return 0;
}
