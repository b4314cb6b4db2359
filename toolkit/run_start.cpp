// What a program's run needs before it can do its work: the game's root folder as the working
// folder, and the lists that the programs before it in the pipeline write.
#include "toolkit/toolkit.h"

#include "platform/platform.h"

#include <cstdio>

int Begin_Run_In_Game_Folder()
{
    Forget_Missing_Data_Files();
    // Started anywhere else (a download folder, the desktop), a program would find nothing and
    // leave its lists and logs in a folder that is not the game's.
    if (Os_File_Exists("Data Files") || Os_File_Exists("Saves")) return 0;
    Print_Line("Error! Start this program from the game's root folder, the folder that holds 'Data Files' and 'Saves'");
    return -1;
}

int Report_Run_First(const char* list, const char* program)
{
    char line[2 * Path_Slot_Size];
    std::snprintf(line, sizeof line, "Error! '%s' is missing or lists nothing: run %s first", list, program);
    Print_Line(line);
    return 0;
}

int Lists_Nothing(Text_In& list)
{
    Rewind_Text_In(list);
    return Peek_Text_In(list) == -1 ? 1 : 0;
}
