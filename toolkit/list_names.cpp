// Numbers and names as the lists carry them: the atoi reading of a count, and the path
// rule of the per-data-file lists (the joined text less its last four characters).
#include "toolkit/toolkit.h"

#include <climits>
#include <cstdio>
#include <cstring>

int Parse_Int(const char* text)
{
    while (*text == ' ' || (*text >= '\t' && *text <= '\r')) ++text;
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+') ++text;
    long long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + (*text - '0');
        if (value > INT_MAX) return negative ? INT_MIN : INT_MAX;
    }
    return static_cast<int>(negative ? -value : value);
}

int Build_List_Path(Path_Slot& out, const char* folder, const char* name, const char* suffix)
{
    std::snprintf(out, sizeof out, "%s%s", folder, name);
    size_t length = std::strlen(out);
    length = length >= 4 ? length - 4 : 0;
    std::snprintf(out + length, sizeof out - length, "%s", suffix);
    return 0;
}
