// Text lists and logs as the programs read them: CR LF on disk read back as one line end,
// and fields read up to a one-character delimiter with a limit. Also the read-open
// convention: a list that is missing in an existing folder is created.
#include "toolkit/toolkit.h"

#include "platform/platform.h"

#include <cstring>

// The saves, data files and meshes are the player's: a read that made a missing one would
// leave an empty file that the game lists and cannot load.
std::FILE* Open_For_Reading(const char* path) { return Os_Open_File(path, "rb"); }

std::FILE* Open_Or_Create(const char* path, const char* mode)
{
    std::FILE* file = Os_Open_File(path, mode);
    if (file != nullptr) return file;
    // Another process may create the file at any moment (the game side writes the partner file
    // while the monitor starts): the open is tried again whether the file has turned up since
    // or is created here, so that only a file that is there and still refuses gives null. The
    // append-open never truncates what someone else has written meanwhile.
    if (!Os_File_Exists(path)) {
        std::FILE* created = Os_Open_File(path, "ab");
        if (created != nullptr) std::fclose(created);
    }
    return Os_Open_File(path, mode);
}

int Open_Text_In(Text_In& in, const char* path)
{
    in.file = Open_Or_Create(path, "rb");
    in.at_end = 0;
    in.ahead_count = 0;
    return 0;
}

int Close_Text_In(Text_In& in)
{
    if (in.file != nullptr) std::fclose(in.file);
    in.file = nullptr;
    in.at_end = 1;
    in.ahead_count = 0;
    return 0;
}

int Rewind_Text_In(Text_In& in)
{
    // The flush drops what the stream has buffered: a rewind alone may serve the start of
    // the list from that buffer even when the list has been written anew since.
    if (in.file != nullptr) {
        std::fflush(in.file);
        std::rewind(in.file);
    }
    in.at_end = 0;
    in.ahead_count = 0;
    return 0;
}

namespace {

// The byte that lies `index` bytes ahead (0 or 1), read into the look-ahead when it is not
// there yet, or EOF. The reader needs two: a peeked CR is a line end only when LF follows.
// The stream's own pushback is not used: ISO C promises only one character of it, and the
// Windows C runtime refuses a second at the start of its buffer, losing the character.
int Byte_Ahead(Text_In& in, int index)
{
    while (in.ahead_count <= index) {
        const int c = in.file != nullptr ? std::getc(in.file) : EOF;
        if (c == EOF) return EOF;
        in.ahead[in.ahead_count++] = c;
    }
    return in.ahead[index];
}

void Drop_Ahead(Text_In& in, int count)
{
    for (int i = count; i < in.ahead_count; ++i) in.ahead[i - count] = in.ahead[i];
    in.ahead_count -= count;
}

// The next character with CR LF read as one "\n", or EOF; taken only when take is 1. A list
// that could not be opened reads as an empty one.
int Next_Char(Text_In& in, int take)
{
    const int c = Byte_Ahead(in, 0);
    if (c == EOF) return EOF;
    const int pair = c == '\r' && Byte_Ahead(in, 1) == '\n';
    if (take) Drop_Ahead(in, pair ? 2 : 1);
    return pair ? '\n' : c;
}

}  // namespace

int Peek_Text_In(Text_In& in)
{
    if (in.at_end) return -1;
    const int c = Next_Char(in, 0);
    if (c == EOF) {
        in.at_end = 1;
        return -1;
    }
    return c;
}

int Read_Field(Text_In& in, char delimiter, char* out, int capacity)
{
    int stored = 0;
    while (!in.at_end && stored < capacity - 1) {
        const int c = Next_Char(in, 1);
        if (c == EOF) in.at_end = 1;
        if (c == EOF || c == static_cast<unsigned char>(delimiter)) break;
        out[stored++] = static_cast<char>(c);
    }
    if (capacity > 0) out[stored] = '\0';
    return stored;
}

int Read_Field(Text_In& in, char delimiter, Text_Slot& out) { return Read_Field(in, delimiter, out, Text_Slot_Size); }

int Skip_Line(Text_In& in, char* buffer, int size)
{
    const int first = Read_Field(in, List_Line_End, buffer, size);
    int piece = first;
    while (piece == size - 1) piece = Read_Field(in, List_Line_End, buffer, size);
    return first;
}

int Is_Whole_Field(const char* field, int length, const char* wanted)
{
    const size_t wanted_length = std::strlen(wanted);
    return static_cast<size_t>(length) == wanted_length && std::memcmp(field, wanted, wanted_length) == 0 ? 1 : 0;
}
