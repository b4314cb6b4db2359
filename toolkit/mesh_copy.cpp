// The mesh copy: a whole, byte-for-byte copy of one mesh over one file of the mesh set,
// with the error-marker mesh in place of a missing source. The only writer of the copy
// error log, which every copy opens for appending and nothing truncates.
#include "toolkit/toolkit.h"

#include "platform/platform.h"

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

// A target that could not be written (read-only, held by another program, a full disk) no
// longer holds what it held, nor the mesh: the console and the log say so.
void Report_Unwritten_Target(Text_Out& log, const char* source, const char* target)
{
    const int said = Report_Unwritten_File(target);
    Write_Line(log, "Could not write file: ", target);
    Write_Line(log, "With file: ", source);
    Write_Line(log, "");
    if (said == 0) return;
    if (!log.failed) Print_Line("See 'Vorel OXT Files\\Copy Errors.txt' for details");
    Print_Line();
}

// 0 when every byte read from `from` reached `to`, else -1.
int Copy_Stream(std::FILE* from, std::FILE* to)
{
    static unsigned char block[Copy_Block_Size];
    size_t got = 0;
    while ((got = std::fread(block, 1, sizeof block, from)) > 0)
        if (std::fwrite(block, 1, got, to) != got) return -1;
    return 0;
}

// The copy itself: 0, or -1 when the target could not be written whole. A source that
// cannot be read leaves the target truncated and empty.
int Copy_Whole_File(const char* source, const char* target)
{
    std::FILE* from = Open_For_Reading(source);
    std::FILE* to = Os_Open_File(target, "wb");
    int written = to != nullptr ? 0 : -1;
    if (from != nullptr && to != nullptr) written = Copy_Stream(from, to);
    if (to != nullptr && std::fclose(to) != 0) written = -1;
    if (from != nullptr) std::fclose(from);
    return written;
}

}  // namespace

int Copy_Mesh_File(Text_Slot& source, const char* target)
{
    Text_Out log;
    Open_Log_For_Appending(log, Copy_Errors_Log);
    if (!Os_File_Exists(source)) {
        Report_Missing_Source(log, source, target);
        Copy_To_Slot(source, Error_Marker_Mesh);
    }
    // Truncating a target that is the source itself would empty the mesh: it already
    // holds what the copy would give it.
    int written = 0;
    if (!Os_Same_File(source, target)) written = Copy_Whole_File(source, target);
    if (written == -1) Report_Unwritten_Target(log, source, target);
    Close_Text_Out(log);
    return written;
}
