// The walk of a text list that the list-reading probe and the tests share: at every line
// start a peek, then the line's first field up to "<" and its rest up to the line end, as the
// partner monitor reads the merged NPC list. Each read gives one line of text that shows
// every byte, so that a lost or doubled character can be seen.
#pragma once

#include "toolkit/toolkit.h"

#include <cstdio>
#include <string>

constexpr char Walk_First_Field_End = '<';
constexpr char Walk_Line_End = '\n';
constexpr int Walk_Rest_Size = 500;  // the monitor's pieces of skipped lines

// The bytes with every byte outside printable ASCII, and "\", as \xHH.
inline std::string Walk_Escaped(const std::string& bytes)
{
    std::string shown;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && c != '\\') {
            shown += c;
            continue;
        }
        char hex[5];
        std::snprintf(hex, sizeof hex, "\\x%02x", byte);
        shown += hex;
    }
    return shown;
}

inline std::string Walk_Peek_Line(int peeked) { return "peek " + std::to_string(peeked) + "\n"; }

// The line of a field read: the end state after it, then the field.
inline std::string Walk_Field_Line(int at_end, const std::string& field)
{
    return "field " + std::to_string(at_end) + " " + Walk_Escaped(field) + "\n";
}

// Walks the list from where it stands to its end and returns the lines of its reads.
inline std::string Walk_List(Text_In& in)
{
    std::string lines;
    Text_Slot first;
    char rest[Walk_Rest_Size];
    do {
        lines += Walk_Peek_Line(Peek_Text_In(in));
        Read_Field(in, Walk_First_Field_End, first);
        lines += Walk_Field_Line(in.at_end, first);
        Read_Field(in, Walk_Line_End, rest, Walk_Rest_Size);
        lines += Walk_Field_Line(in.at_end, rest);
    } while (!in.at_end);
    return lines;
}
