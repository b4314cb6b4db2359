// The data-file list read back into the data-file name table (its count line, then one name a
// line, latest-loaded data file first), and the load of a data file by its name, which says a
// missing data file once a run. Sets Data_File_Count, Data_File_Names, Data_File_Path and,
// through the load, the file buffer.
#include "toolkit/toolkit.h"

#include "platform/platform.h"

#include <cstring>

namespace {

// The data files said missing since the run began: a body-part lookup loads every data file
// again and again, and the player needs to hear of each missing one once.
Text_Slot Missing_Said[Max_Data_Files];
int Missing_Said_Count = 0;

bool Said_Missing(const char* name)
{
    for (int i = 0; i < Missing_Said_Count; ++i)
        if (std::strcmp(Missing_Said[i], name) == 0) return true;
    return false;
}

// Only a load that gave an empty buffer can have met a missing file, so a data file that is
// there costs nothing more; a missing one costs a look at the memo once it has been said.
void Report_If_Missing(const char* name)
{
    if (File_Length != 0 || Said_Missing(name) || Os_File_Exists(Data_File_Path)) return;
    if (Missing_Said_Count < Max_Data_Files) Copy_To_Slot(Missing_Said[Missing_Said_Count++], name);
    Print_Line("Error! Could not find data file: ", Data_File_Path);
}

}  // namespace

int Forget_Missing_Data_Files()
{
    Missing_Said_Count = 0;
    return 0;
}

int Read_Names_Into_Table(Text_In& list)
{
    // A name counts only when the read after it did not meet the end: every line of the
    // list has its line end, so a last line without one was cut off.
    Text_Slot line;
    Read_List_Line(list, line);
    for (int i = 0; i < Max_Data_Files; ++i) {
        std::memcpy(Data_File_Names[i], line, sizeof line);
        Read_List_Line(list, line);
        if (list.at_end) break;
    }
    return 0;
}

int Read_Data_File_List()
{
    Text_In list;
    Open_Text_In(list, Data_File_List);
    Text_Slot line;
    Read_List_Line(list, line);
    Data_File_Count = Parse_Int(line);
    Read_Names_Into_Table(list);
    Close_Text_In(list);
    return 0;
}

int Data_Files_Listed()
{
    if (Data_File_Count < 1) return 0;
    return Data_File_Count < Max_Data_Files ? Data_File_Count : Max_Data_Files;
}

int Load_Data_File_Named(const char* name)
{
    Join_Text(Data_File_Path, Path_Slot_Size, Data_Files_Folder, name);
    Load_File_Buffer(Data_File_Path);
    Report_If_Missing(name);
    Search_Pos = 0;
    return 0;
}

int Load_Data_File(int index) { return Load_Data_File_Named(Data_File_Names[index]); }
