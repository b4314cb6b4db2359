// Records and subrecords as the programs read them: the record test that tells a real
// record from four bytes that only look like its tag, and the string value after a
// subrecord's tag, the one place that bounds it. Sets Search_Pos, Field_Start and Field_End.
#include "toolkit/toolkit.h"

#include <cstring>
#include <limits>

namespace {

constexpr std::int32_t Record_Name_Window = 16;  // "NAME" ends at most this far after the record tag
std::int32_t Next_Position(std::int32_t pos) { return pos < std::numeric_limits<std::int32_t>::max() ? pos + 1 : pos; }

}  // namespace

// The search for "NAME" looks only inside the window: the first "NAME" that a search from
// p would find either lies there, or lies too far and fails the test, so the answer is the
// same without scanning the rest of the file for every false hit of a record tag.
std::int32_t Record_Name_End(std::int32_t p, int k)
{
    if (p < 0) return -1;
    const std::int32_t name_end = Find_Text_Within("NAME", p, Record_Name_Window + 1);
    if (name_end == -1 || Buffer_Byte(p + k) != 0) return -1;
    return name_end;
}

int Copy_Field_To_Slot(Text_Slot& slot)
{
    std::int64_t count = static_cast<std::int64_t>(Field_End) - Field_Start + 1;
    if (count < 0) count = 0;
    if (count > Text_Slot_Chars) count = Text_Slot_Chars;
    std::memset(slot, 0, static_cast<size_t>(count) + 1);
    Copy_Buffer_Range(slot, Field_Start, static_cast<std::int32_t>(Field_Start + count - 1));
    return 0;
}

int Take_Female_Flag(std::int32_t t)
{
    Search_Pos = t + Subrecord_Size_Length;
    const int flags = Buffer_Byte(Search_Pos);
    return flags != -1 && (flags & Female_Flag_Bit) != 0 ? 1 : 0;
}

int Bound_Subrecord_Value(std::int32_t t)
{
    Field_Start = Skip_Nuls(Next_Position(t));
    const std::int32_t nul = Skip_To_Nul(Field_Start);
    Field_End = nul - 1;
    return nul < File_Length ? 0 : -1;
}

int Extract_Subrecord_Value(std::int32_t t, Text_Slot& slot)
{
    Bound_Subrecord_Value(t);
    Copy_Field_To_Slot(slot);
    Search_Pos = Field_End;
    return 0;
}

// Three zero upper size bytes and a NUL as the first data byte are all passed over only when
// the value is empty: its first byte that is not 0 then lies at least this far past t.
int Extract_Value_Unless_Empty(std::int32_t t, Text_Slot& slot)
{
    constexpr std::int32_t Empty_Value_Gap = Subrecord_Size_Length + 1;
    const std::int32_t first = Skip_Nuls(Next_Position(t));
    if (first - t >= Empty_Value_Gap || first >= File_Length) return 0;
    Extract_Subrecord_Value(t, slot);
    return 1;
}

int Extract_Next_Value(const char* tag, Text_Slot& slot)
{
    const std::int32_t found = Find_Text(tag, Search_Pos);
    if (found == -1) return 0;
    Extract_Subrecord_Value(found, slot);
    return 1;
}
