// The record test and the subrecord value.
#include "tests/toolkit/buffer_fixture.h"
#include "tools/tes3/tes3_builder.h"

#include <cstring>

using namespace std::string_literals;
using tes3::Le32;

using IsRecordHeader = Buffer_Test;
using ExtractSubrecordValue = Buffer_Test;

namespace {

// "x" then a record: tag at 1, size at 5..8, header words at 9..16, "NAME" at 17.
std::string Npc_Bytes(const std::string& size, int name_offset)
{
    return "x"s + "NPC_" + size + std::string(static_cast<size_t>(name_offset), '\0') + "NAME" + Le32(4) + "abc\0"s;
}

}  // namespace

TEST_F(IsRecordHeader, JudgesTheNameWindowAndTheSizeByte)
{
    struct Case {
        const char* what;
        std::string bytes;
        int k;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"a whole record: NAME 12 bytes after the tag", Npc_Bytes(Le32(40), 8), 3, 5 + 16},
        {"NAME 13 bytes after the tag (d = 17)", Npc_Bytes(Le32(40), 9), 3, -1},
        {"NAME right after the tag (d = 4 is never found)", Npc_Bytes(Le32(40), -4 + 4), 3, 5 + 8},
        {"fourth size byte not 0", Npc_Bytes("\x28\0\0\x01"s, 8), 3, -1},
        {"third size byte not 0, NPC_ form looks at the fourth", Npc_Bytes("\x28\0\x01\0"s, 8), 3, 5 + 16},
        {"third size byte not 0, BODY form", Npc_Bytes("\x28\0\x01\0"s, 8), 2, -1},
        {"fourth size byte not 0, BODY form does not look at it", Npc_Bytes("\x28\0\0\x01"s, 8), 2, 5 + 16},
        {"no NAME after the tag", "xNPC_"s + Le32(40) + std::string(8, '\0') + "NAMx", 3, -1},
        {"NAME cut by the end of the buffer", "xNPC_"s + Le32(40) + std::string(8, '\0') + "NAM", 3, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Load(c.bytes);
        Search_Pos = 77;
        EXPECT_EQ(Is_Record_Header(5, c.k), c.expected);
        EXPECT_EQ(Search_Pos, 77);
    }
}

TEST_F(IsRecordHeader, NameFarAwayIsNoRecordAndTheTagNearTheEndIsSafe)
{
    Load("xNPC_"s + std::string(100, '\0') + "NAME");
    EXPECT_EQ(Is_Record_Header(5, 3), -1);
    Load("xNPC_"s);
    EXPECT_EQ(Is_Record_Header(5, 3), -1);
    EXPECT_EQ(Is_Record_Header(-1, 3), -1);
}

TEST_F(ExtractSubrecordValue, TakesTheStringAndLeavesTheCursorOnItsLastByte)
{
    // offsets: 0 'x', 1..4 "NAME", t = 5: size 06 00 00 00, 9..13 "abcde", 14 NUL
    Load("xNAME"s + Le32(6) + "abcde\0FNAM"s);
    Text_Slot slot;
    Extract_Subrecord_Value(5, slot);
    EXPECT_STREQ(slot, "abcde");
    EXPECT_EQ(Field_Start, 9);
    EXPECT_EQ(Field_End, 13);
    EXPECT_EQ(Search_Pos, 13);
}

TEST_F(ExtractSubrecordValue, EmptyStringTakesTheNextSubrecordsTag)
{
    Load("xFNAM"s + Le32(1) + "\0"s + "RNAM" + Le32(9) + "Dark Elf\0"s);
    Text_Slot slot;
    Extract_Subrecord_Value(5, slot);
    EXPECT_STREQ(slot, "RNAM\x09");
}

TEST_F(ExtractSubrecordValue, SizeOf256OrMoreBeginsInsideTheSizeField)
{
    Load("xMODL"s + Le32(0x0101) + "mesh.nif\0"s);
    Text_Slot slot;
    Extract_Subrecord_Value(5, slot);
    EXPECT_STREQ(slot, "\x01");
    EXPECT_EQ(Field_Start, 6);
}

TEST_F(ExtractSubrecordValue, LongValueIsCutAt99Characters)
{
    const std::string value(150, 'v');
    Load("xNAME"s + Le32(151) + value + "\0"s);
    Text_Slot slot;
    std::memset(slot, '#', sizeof slot);
    Extract_Subrecord_Value(5, slot);
    EXPECT_EQ(std::strlen(slot), 99u);
    EXPECT_EQ(Field_End, 9 + 149);
}

TEST_F(ExtractSubrecordValue, ValueWithoutNulEndsAtTheBuffersEnd)
{
    for (const std::string& bytes : {"xNAME"s + Le32(4) + "abc"s, "xNAME"s + Le32(4), "xNAME\x04"s, "xNAME"s}) {
        SCOPED_TRACE(bytes.size());
        Load(bytes);
        Text_Slot slot;
        std::memset(slot, '#', sizeof slot);
        Extract_Subrecord_Value(5, slot);
        EXPECT_LE(std::strlen(slot), 3u);
        EXPECT_LT(Search_Pos, File_Length + 1);
        EXPECT_GE(Search_Pos, 4);
        EXPECT_EQ(Find_Text("NAME", Search_Pos), -1);
    }
}
