// The record test and the subrecord value.
#include "tests/toolkit/buffer_fixture.h"
#include "tools/tes3/tes3_builder.h"

#include <cstring>

using namespace std::string_literals;
using tes3::Le32;

using RecordNameEnd = Buffer_Test;
using ExtractSubrecordValue = Buffer_Test;

namespace {

// "x" then a record: tag at 1, size at 5..8, header words at 9..16, "NAME" at 17.
std::string Npc_Bytes(const std::string& size, int name_offset)
{
    return "x"s + "NPC_" + size + std::string(static_cast<size_t>(name_offset), '\0') + "NAME" + Le32(4) + "abc\0"s;
}

}  // namespace

TEST_F(RecordNameEnd, JudgesTheNameWindowAndTheSizeByte)
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
        EXPECT_EQ(Record_Name_End(5, c.k), c.expected);
        EXPECT_EQ(Search_Pos, 77);
    }
}

TEST_F(RecordNameEnd, NameFarAwayIsNoRecordAndTheTagNearTheEndIsSafe)
{
    Load("xNPC_"s + std::string(100, '\0') + "NAME");
    EXPECT_EQ(Record_Name_End(5, 3), -1);
    Load("xNPC_"s);
    EXPECT_EQ(Record_Name_End(5, 3), -1);
    EXPECT_EQ(Record_Name_End(-1, 3), -1);
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

// The bounds answer whether a NUL inside the buffer ends the value: a name read from a save is
// listed only when it is whole.
TEST_F(ExtractSubrecordValue, BoundsSayWhetherTheValueEndsInsideTheBuffer)
{
    struct Case {
        std::string bytes;
        int answer;
        std::int32_t start;
        std::int32_t end;
    };
    const Case cases[] = {
        {"xMAST"s + Le32(4) + "abc\0"s, 0, 9, 11},    // control: whole
        {"xMAST"s + Le32(4) + "abc"s, -1, 9, 11},     // cut by the end of the file
        {"xMAST"s + Le32(4), -1, 9, 8},               // no byte of it left
        {"xMAST"s + Le32(1) + "\0ab\0"s, 0, 10, 11},  // empty: the bounds pass onto what follows
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes.size());
        Load(c.bytes);
        Search_Pos = 1;
        EXPECT_EQ(Bound_Subrecord_Value(5), c.answer);
        EXPECT_EQ(Field_Start, c.start);
        EXPECT_EQ(Field_End, c.end);
        EXPECT_EQ(Search_Pos, 1);
    }
}

// An empty value is not taken, and nothing moves: the NPC lister then writes its default in
// place of the next subrecord's bytes.
TEST_F(ExtractSubrecordValue, UnlessEmptyTakesOnlyAValueThatIsThere)
{
    struct Case {
        std::string bytes;
        int taken;
        std::string slot;
    };
    const Case cases[] = {
        {"xRNAM"s + Le32(4) + "Orc\0"s, 1, "Orc"},                            // control
        {"xRNAM"s + Le32(1) + "\0"s + "BNAM" + Le32(3) + "hd\0"s, 0, "old"},  // empty string
        {"xRNAM"s + Le32(0) + "BNAM"s, 1, "BNAM"},                            // size 0, next tag follows at once
        {"xRNAM"s + Le32(4), 0, "old"},                                       // the file ends after the size
        {"xRNAM\x04"s, 0, "old"},                                             // the file ends inside the size
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes.size());
        Load(c.bytes);
        Text_Slot slot = "old";
        Search_Pos = 2;
        Field_Start = Field_End = 7;
        EXPECT_EQ(Extract_Value_Unless_Empty(5, slot), c.taken);
        EXPECT_EQ(std::string(slot), c.slot);
        if (c.taken == 0) {
            EXPECT_EQ(Search_Pos, 2);
            EXPECT_EQ(Field_Start, 7);
            EXPECT_EQ(Field_End, 7);
        } else {
            EXPECT_EQ(Search_Pos, Field_End);
        }
    }
}

// A tag that occurs nowhere further on leaves the value and the cursor as they were, so that
// the next tag is still sought from the last value taken.
TEST_F(ExtractSubrecordValue, NextValueSeeksTheTagFromTheCursor)
{
    // offsets: 0 'x', 1..4 "RNAM", 5..8 size, 9..11 "Orc", 12 NUL, 13..16 "RNAM", 17..20 size, 21..24 "Nord"
    Load("xRNAM"s + Le32(4) + "Orc\0RNAM"s + Le32(5) + "Nord\0"s);
    Text_Slot slot = "old";
    Search_Pos = 0;
    EXPECT_EQ(Extract_Next_Value("RNAM", slot), 1);
    EXPECT_STREQ(slot, "Orc");
    EXPECT_EQ(Search_Pos, 11);
    EXPECT_EQ(Extract_Next_Value("RNAM", slot), 1);
    EXPECT_STREQ(slot, "Nord");
    EXPECT_EQ(Search_Pos, 24);
    EXPECT_EQ(Extract_Next_Value("KNAM", slot), 0);
    EXPECT_STREQ(slot, "Nord");
    EXPECT_EQ(Search_Pos, 24);
}
