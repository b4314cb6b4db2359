// The console: every message is one line, ended and flushed at once, on standard output; and
// the lines that point the user to a log, a list or a folder of lists by its path.
#include "toolkit/toolkit.h"

#include <cstring>

int Print_Line(const char* first, const char* second, const char* third)
{
    std::fputs(first, stdout);
    std::fputs(second, stdout);
    std::fputs(third, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
    return 0;
}

int Print_Log_Pointer(const char* log) { return Print_Line("See '", log, "' for details"); }

int Print_List_Pointer(const char* list) { return Print_Line("See '", list, "' for results"); }

int Print_Folder_Pointer(const char* folder)
{
    Path_Slot name;
    Join_Text(name, Path_Slot_Size, folder);
    const size_t length = std::strlen(name);
    if (length > 0 && name[length - 1] == '\\') name[length - 1] = '\0';
    return Print_Line("See the text files in the '", name, "' folder for results");
}
