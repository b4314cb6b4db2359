// The mesh copy: a whole, byte-for-byte copy of one mesh over one file of the mesh set,
// with the error-marker mesh in place of a missing source. The only writer of the copy
// error log, which every copy opens for appending and nothing truncates.
#include "toolkit/toolkit.h"

#include "platform/platform.h"

#include <cstring>

namespace {

constexpr size_t Copy_Block_Size = 64 * 1024;

void Report_Missing_Source(Text_Out& log, const char* source, const char* target)
{
    Print_Line("Error! Could not find file: ", source);
    Print_Line("Copying default file instead");
    Print_Line("See 'Vorel OXT Files\\Copy Errors.txt' for details");
    Print_Line();
    Write_Line(log, "Could not find file: ", source);
    Write_Line(log, "To replace file: ", target);
    Write_Line(log, "");
}

void Copy_Stream(std::FILE* from, std::FILE* to)
{
    static unsigned char block[Copy_Block_Size];
    size_t got = 0;
    while ((got = std::fread(block, 1, sizeof block, from)) > 0)
        if (std::fwrite(block, 1, got, to) != got) break;
}

}  // namespace

int Copy_Mesh_File(Text_Slot& source, const char* target)
{
    Text_Out log;
    Open_Text_Out(log, Copy_Errors_Log, 1);
    if (!Os_File_Exists(source)) {
        Report_Missing_Source(log, source, target);
        Copy_To_Slot(source, Error_Marker_Mesh);
    }
    // Truncating a target that is the source itself would empty the mesh: it already
    // holds what the copy would give it.
    if (!Os_Same_File(source, target)) {
        std::FILE* from = Open_For_Reading(source);
        std::FILE* to = Os_Open_File(target, "wb");
        if (from != nullptr && to != nullptr) Copy_Stream(from, to);
        if (to != nullptr) std::fclose(to);
        if (from != nullptr) std::fclose(from);
    }
    Close_Text_Out(log);
    return 0;
}
