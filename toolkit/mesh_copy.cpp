// The mesh copy: a whole, byte-for-byte copy of one mesh over one file of the mesh set,
// with the error-marker mesh in place of a missing source. The copy is written beside the
// target and takes its place only when complete, so a target is never left cut or emptied.
// The only writer of the copy error log, which every copy opens for appending and nothing
// truncates.
#include "toolkit/toolkit.h"

#include "platform/platform.h"

namespace {

constexpr size_t Copy_Block_Size = 64 * 1024;

enum Copy_Outcome { Copied = 0, Source_Unread = 1, Target_Unwritten = 2 };

// The end of a copy failure's console block: its log entry, then the pointer to the log only
// when the log took the entry, then the empty line.
void Log_And_End_Block(Text_Out& log, const char* first, const char* first_path, const char* second,
                       const char* second_path)
{
    Write_Line(log, first, first_path);
    Write_Line(log, second, second_path);
    if (Write_Line(log, "") == 0) Print_Log_Pointer(Copy_Errors_Log);
    Print_Line();
}

void Report_Missing_Source(Text_Out& log, const char* source, const char* target)
{
    Print_Line("Error! Could not find file: ", source);
    Print_Line("Copying default file instead");
    Log_And_End_Block(log, "Could not find file: ", source, "To replace file: ", target);
}

// A source that is there but cannot be read (no read permission, a folder), or an error-marker
// mesh that is missing when it is needed: the target keeps what it held.
void Report_Unread_Source(Text_Out& log, const char* source, const char* target)
{
    Print_Line("Error! Could not read file: ", source);
    Log_And_End_Block(log, "Could not read file: ", source, "To replace file: ", target);
}

// A target that could not be written (read-only, held by another program, a full disk) keeps
// what it held and does not hold the mesh: the console and the log say so at every copy.
void Report_Unwritten_Target(Text_Out& log, const char* source, const char* target)
{
    Say_Unwritten_File(target);
    Log_And_End_Block(log, "Could not write file: ", target, "With file: ", source);
}

// 0 when every byte of `from` reached `to`, else -1.
int Copy_Stream(std::FILE* from, std::FILE* to)
{
    static unsigned char block[Copy_Block_Size];
    size_t got = 0;
    while ((got = std::fread(block, 1, sizeof block, from)) > 0)
        if (std::fwrite(block, 1, got, to) != got) return -1;
    return std::ferror(from) ? -1 : 0;
}

// Copies source to the temporary file of target; says why not when it could not.
Copy_Outcome Copy_Beside(std::FILE* from, const char* target)
{
    Temporary_Path temporary;
    Name_Temporary_File(temporary, target);
    std::FILE* to = Os_Open_File(temporary, "wb");
    if (to == nullptr) return Target_Unwritten;
    const int copied = Copy_Stream(from, to);
    const bool read_whole = !std::ferror(from);
    const bool closed = Close_Written_File(to) == 0;
    if (copied == 0 && closed) return Copied;
    Os_Remove_File(temporary);
    return read_whole ? Target_Unwritten : Source_Unread;
}

// The copy itself: the source is opened first, and nothing is written unless it can be read.
// The source is never created, and a target that refuses writes is never replaced.
Copy_Outcome Copy_Whole_File(const char* source, const char* target)
{
    std::FILE* from = Os_Open_File(source, "rb");
    if (from == nullptr) return Source_Unread;
    Copy_Outcome outcome = Target_Unwritten;
    if (!Refuses_Writes(target)) outcome = Copy_Beside(from, target);
    std::fclose(from);
    if (outcome == Copied && Put_Temporary_In_Place(target) != 0) outcome = Target_Unwritten;
    return outcome;
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
    // A target that is the source itself already holds what the copy would give it.
    Copy_Outcome outcome = Copied;
    if (!Os_Same_File(source, target)) outcome = Copy_Whole_File(source, target);
    if (outcome == Source_Unread) Report_Unread_Source(log, source, target);
    if (outcome == Target_Unwritten) Report_Unwritten_Target(log, source, target);
    Close_Text_Out(log);
    return outcome == Copied ? 0 : -1;
}
