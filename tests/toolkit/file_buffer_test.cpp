// The file buffer: loads, releases and the bounded byte scans.
#include "tests/toolkit/buffer_fixture.h"

#include <cstring>

using namespace std::string_literals;

using LoadFileBuffer = Buffer_Test;
using SkipScans = Buffer_Test;
using CopyBufferRange = Buffer_Test;

TEST_F(LoadFileBuffer, HoldsTheWholeFileByteForByte)
{
    const std::string bytes = "\x00\x0D\x0A\x1A\xFFMAST\r\n"s;
    Load(bytes);
    ASSERT_EQ(File_Length, static_cast<std::int32_t>(bytes.size()));
    EXPECT_EQ(std::memcmp(File_Buffer, bytes.data(), bytes.size()), 0);
}

TEST_F(LoadFileBuffer, MissingFileInExistingFolderIsCreatedEmpty)
{
    Load_File_Buffer("Saves\\Vorel.ess");
    EXPECT_EQ(File_Length, 0);
    EXPECT_EQ(Find_Text("MAST", 0), -1);
    EXPECT_EQ(Find_Text("MAST", -1), -1);
    EXPECT_EQ(Read("Saves/Vorel.ess"), ""s);
}

TEST_F(LoadFileBuffer, FileThatCannotBeOpenedLeavesAnEmptyBuffer)
{
    Load("MAST");
    for (const char* path : {"No Folder\\x.esm", "Data Files\\", "Saves", ""}) {
        SCOPED_TRACE(path);
        Load_File_Buffer(path);
        EXPECT_EQ(File_Length, 0);
        EXPECT_EQ(Find_Text("", -1), -1);
        EXPECT_EQ(Find_Text_No_Case("mast", -1), -1);
    }
    EXPECT_FALSE(Exists("No Folder"));
}

TEST_F(LoadFileBuffer, SecondLoadReplacesTheFirstAndKeepsTheCursor)
{
    Load("first file");
    Search_Pos = 7;
    Field_Start = 3;
    Field_End = 5;
    Load("xNPC_");
    EXPECT_EQ(File_Length, 5);
    EXPECT_EQ(Find_Text("NPC_", 0), 5);
    EXPECT_EQ(Search_Pos, 7);
    EXPECT_EQ(Field_Start, 3);
    EXPECT_EQ(Field_End, 5);
}

TEST_F(LoadFileBuffer, FindsTheFileWithoutRegardToLetterCase)
{
    Write("Data Files/Morrowind.ESM", "xyz");
    Load_File_Buffer("data files\\MORROWIND.esm");
    EXPECT_EQ(File_Length, 3);
}

TEST_F(LoadFileBuffer, FreeLeavesNoBlock)
{
    Load("abc");
    Free_File_Buffer();
    EXPECT_EQ(File_Buffer, nullptr);
    EXPECT_EQ(File_Length, 0);
    EXPECT_EQ(Buffer_Byte(0), -1);
}

TEST_F(SkipScans, StopAtTheFittingByteOrTheEnd)
{
    Load("ab\0\0c\0"s);
    EXPECT_EQ(Skip_Nuls(0), 0);  // a byte that is not 0 answers its own position
    EXPECT_EQ(Skip_Nuls(2), 4);
    EXPECT_EQ(Skip_Nuls(5), 6);    // no fitting byte: the end of the buffer
    EXPECT_EQ(Skip_To_Nul(2), 2);  // a byte 0 answers its own position
    EXPECT_EQ(Skip_To_Nul(0), 2);
    EXPECT_EQ(Skip_To_Nul(4), 5);
    Load("abc");
    EXPECT_EQ(Skip_To_Nul(1), 3);
    EXPECT_EQ(Skip_Nuls(3), 3);  // outside the buffer nothing is read
    EXPECT_EQ(Skip_To_Nul(-5), -5);
}

TEST_F(CopyBufferRange, CopiesInclusiveRangeWithoutTerminator)
{
    Load("0123456789");
    char dst[8];
    std::memset(dst, '#', sizeof dst);
    Copy_Buffer_Range(dst, 3, 3);
    EXPECT_EQ(std::string(dst, 2), "3#");
    Copy_Buffer_Range(dst, 5, 4);
    EXPECT_EQ(std::string(dst, 2), "3#");
    Copy_Buffer_Range(dst, 2, 5);
    EXPECT_EQ(std::string(dst, 5), "2345#");
}

TEST_F(CopyBufferRange, NeverReadsOutsideTheBuffer)
{
    Load("abc");
    char dst[8];
    std::memset(dst, '#', sizeof dst);
    Copy_Buffer_Range(dst, 1, 10);
    EXPECT_EQ(std::string(dst, 3), "bc#");
    Copy_Buffer_Range(dst, -2, 0);
    EXPECT_EQ(std::string(dst, 3), "bca");
}
