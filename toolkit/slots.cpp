// Text into fixed slots: the one bounded copy that fills every slot, path and line buffer of
// the programs. It always terminates and never writes past the slot; what does not fit is cut,
// and the caller learns of it, so that a path is never used cut where that would name another file.
#include "toolkit/toolkit.h"

#include <cstring>
#include <initializer_list>

int Join_Text(char* out, int size, const char* first, const char* second, const char* third)
{
    if (size <= 0) return -1;
    size_t used = 0;
    int whole = 0;
    for (const char* piece : {first, second, third}) {
        const size_t length = std::strlen(piece);
        const size_t room = static_cast<size_t>(size) - 1 - used;
        const size_t taken = length < room ? length : room;
        std::memmove(out + used, piece, taken);
        used += taken;
        if (taken < length) whole = -1;
    }
    out[used] = '\0';
    return whole;
}

int Copy_To_Slot(Text_Slot& slot, const char* text) { return Join_Text(slot, Text_Slot_Size, text); }
