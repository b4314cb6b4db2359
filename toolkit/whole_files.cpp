// Files written whole: their new content goes to a file beside them, named after them, which
// takes their place in one step once it is complete, so that a full disk, a failed write or a
// kill never leaves a file cut short. Also the removal of what a killed run left beside them.
#include "toolkit/toolkit.h"

#include "platform/platform.h"

int Name_Temporary_File(Temporary_Path& out, const char* path)
{
    return Join_Text(out, Temporary_Path_Size, path, Temporary_Ending);
}

int Refuses_Writes(const char* path)
{
    // Opened for update, never truncated nor created, and closed without a byte written. A
    // read-only file would be replaced like any other by a rename on POSIX systems.
    if (!Os_File_Exists(path)) return 0;
    std::FILE* probe = Os_Open_File(path, "r+b");
    if (probe == nullptr) return 1;
    std::fclose(probe);
    return 0;
}

int Close_Written_File(std::FILE* file)
{
    const bool flushed = std::fflush(file) == 0 && std::ferror(file) == 0;
    const bool closed = std::fclose(file) == 0;
    return flushed && closed ? 0 : -1;
}

int Put_Temporary_In_Place(const char* path)
{
    Temporary_Path temporary;
    Name_Temporary_File(temporary, path);
    if (Os_Replace_File(temporary, path) == 0) return 0;
    Os_Remove_File(temporary);
    return -1;
}

int Remove_Leftover_Of(const char* path)
{
    Temporary_Path temporary;
    Name_Temporary_File(temporary, path);
    Os_Remove_File(temporary);  // nothing to do when there is none
    return 0;
}

int Remove_Leftovers_In(const char* folder)
{
    Os_Remove_Files_Ending_In(folder, Temporary_Ending);
    return 0;
}
