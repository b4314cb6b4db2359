// Lists and logs as the programs write them: CR LF on disk on every system, and a file that
// cannot be written (a read-only file or folder, a missing folder, a full disk) said on the
// console, naming it, once however many lines were meant for it. Owns the memo of files said.
#include "toolkit/toolkit.h"

#include "platform/platform.h"

#include <cstring>

namespace {

// The files said since the last Forget_Unwritten_Files: a file that a run opens again and
// again (the copy error log, a mesh of the set) is named once.
constexpr int Max_Unwritten = 64;
Path_Slot Unwritten[Max_Unwritten];
int Unwritten_Count = 0;
int Unwritten_Round = 0;  // how many times the memo has been forgotten

bool Said_Before(const char* path)
{
    for (int i = 0; i < Unwritten_Count; ++i)
        if (std::strcmp(Unwritten[i], path) == 0) return true;
    return false;
}

// A file that failed is said once in each round of the memo: a program that forgets the files
// said (the monitor, at each request) hears again of a file that it keeps open and still
// cannot write; one that never forgets hears of each file once, however many there are.
void Fail(Text_Out& out)
{
    if (!out.failed || out.failure_round != Unwritten_Round) Report_Unwritten_File(out.path);
    out.failed = 1;
    out.failure_round = Unwritten_Round;
}

void Begin(Text_Out& out, const char* path, int whole)
{
    Join_Text(out.path, Path_Slot_Size, path);
    out.file = nullptr;
    out.failed = 0;
    out.whole = whole;
    out.failure_round = Unwritten_Round;
}

// Closes the stream of a file opened whole; on failure its temporary file is removed.
void Close_Whole(Text_Out& out)
{
    if (out.file != nullptr && Close_Written_File(out.file) != 0) Fail(out);
    out.file = nullptr;
    out.whole = 0;
    if (out.failed) Remove_Leftover_Of(out.path);
}

}  // namespace

int Report_Unwritten_File(const char* path)
{
    if (Said_Before(path)) return 0;
    return Say_Unwritten_File(path);
}

int Say_Unwritten_File(const char* path)
{
    if (!Said_Before(path) && Unwritten_Count < Max_Unwritten)
        Join_Text(Unwritten[Unwritten_Count++], Path_Slot_Size, path);
    Print_Line("Error! Could not write file: ", path);
    return 1;
}

int Forget_Unwritten_Files()
{
    Unwritten_Count = 0;
    ++Unwritten_Round;
    return 0;
}

int Open_Text_Out(Text_Out& out, const char* path, int append)
{
    Begin(out, path, 0);
    out.file = Os_Open_File(path, append ? "ab" : "wb");
    if (out.file == nullptr) Fail(out);
    return 0;
}

int Open_Log_For_Appending(Text_Out& log, const char* path)
{
    Begin(log, path, 0);
    log.file = Os_Open_File(path, "ab");
    return 0;
}

int Open_Whole_Text_Out(Text_Out& out, const char* path)
{
    Begin(out, path, 1);
    if (!Refuses_Writes(out.path)) {
        Temporary_Path temporary;
        Name_Temporary_File(temporary, out.path);
        out.file = Os_Open_File(temporary, "wb");
    }
    if (out.file == nullptr) Fail(out);
    return 0;
}

int Close_Text_Out_Beside(Text_Out& out)
{
    Close_Whole(out);
    return out.failed ? -1 : 0;
}

int Close_Text_Out(Text_Out& out)
{
    if (out.whole) {
        Close_Whole(out);
        if (!out.failed && Put_Temporary_In_Place(out.path) != 0) Fail(out);
        return out.failed ? -1 : 0;
    }
    if (out.file != nullptr && Close_Written_File(out.file) != 0) Fail(out);
    out.file = nullptr;
    return out.failed ? -1 : 0;
}

int Write_Text(Text_Out& out, const char* text)
{
    if (out.file == nullptr) {
        Fail(out);
        return -1;
    }
    while (*text != '\0') {
        const char* line_end = std::strchr(text, '\n');
        const size_t run = line_end != nullptr ? static_cast<size_t>(line_end - text) : std::strlen(text);
        if (std::fwrite(text, 1, run, out.file) != run) Fail(out);
        if (line_end == nullptr) break;
        if (std::fwrite("\r\n", 1, 2, out.file) != 2) Fail(out);
        text = line_end + 1;
    }
    return out.failed ? -1 : 0;
}

int Write_Line(Text_Out& out, const char* first, const char* second, const char* third)
{
    Write_Text(out, first);
    Write_Text(out, second);
    Write_Text(out, third);
    Write_Text(out, "\n");
    if (out.file != nullptr && std::fflush(out.file) != 0) Fail(out);
    return out.failed ? -1 : 0;
}
