// Text lists: CR LF on disk, fields read up to a delimiter with a limit of 99 characters,
// the end of a list, and the read-open convention.
#include "tests/probes/list_walk.h"
#include "tests/support/scratch_game.h"
#include "tests/toolkit/list_reading/lone_cr_lists.h"
#include "toolkit/toolkit.h"

#include <string>
#include <vector>

using namespace std::string_literals;

class TextFiles : public Scratch_Game {
protected:
    void SetUp() override
    {
        Scratch_Game::SetUp();
        Enter();
    }
    // Every field of the list read up to delimiter, until and including the read that
    // meets the end.
    std::vector<std::string> Fields(const std::string& bytes, char delimiter)
    {
        Write("list.txt", bytes);
        Text_In in;
        Open_Text_In(in, "list.txt");
        std::vector<std::string> fields;
        Text_Slot field;
        do {
            Read_Field(in, delimiter, field);
            fields.emplace_back(field);
        } while (!in.at_end);
        Close_Text_In(in);
        return fields;
    }
};

TEST_F(TextFiles, CrLfReadsAsOneLineEndAndALoneCrStays)
{
    EXPECT_EQ(Fields("a\r\nb\rc\n\r\r\nd"s, '\n'), (std::vector<std::string>{"a", "b\rc", "\r", "d"}));
}

// Peeks and field reads interleaved as the partner monitor makes them, with the CR standing
// on either side of the end of a stream buffer; the Windows build is walked the same way by
// the probe program under Wine.
TEST_F(TextFiles, EveryCrAroundTheStreamBuffersReadsAsTheListHoldsIt)
{
    for (const Lone_Cr_List& list : Lone_Cr_Lists()) {
        SCOPED_TRACE(list.name);
        Write("list.txt", list.bytes);
        Text_In in;
        Open_Text_In(in, "list.txt");
        EXPECT_EQ(Walk_Difference(Walk_List(in), list.bytes), "");
        Close_Text_In(in);
    }
}

TEST_F(TextFiles, LongFieldsGoOnInTheNextRead)
{
    const std::string f98(98, 'a');
    const std::string f99(99, 'b');
    const std::string f150(150, 'c');
    EXPECT_EQ(Fields(f98 + "\n"s, '\n'), (std::vector<std::string>{f98, ""}));
    EXPECT_EQ(Fields(f99 + "\n"s, '\n'), (std::vector<std::string>{f99, "", ""}));
    EXPECT_EQ(Fields(f150 + "<x"s, '<'), (std::vector<std::string>{f150.substr(0, 99), std::string(51, 'c'), "x"}));
}

TEST_F(TextFiles, EndOfListYieldsEmptyFieldsForEver)
{
    Write("list.txt", "ab");
    Text_In in;
    Open_Text_In(in, "list.txt");
    Text_Slot field;
    Read_Field(in, '\n', field);
    EXPECT_STREQ(field, "ab");
    EXPECT_TRUE(in.at_end);
    for (int i = 0; i < 3; ++i) {
        Read_Field(in, '\n', field);
        EXPECT_STREQ(field, "");
    }
    EXPECT_EQ(Peek_Text_In(in), -1);
    Rewind_Text_In(in);
    EXPECT_EQ(Peek_Text_In(in), 'a');
    Read_Field(in, 'b', field);
    EXPECT_STREQ(field, "a");
    EXPECT_FALSE(in.at_end);
    Close_Text_In(in);
}

TEST_F(TextFiles, OtherDelimitersAndLineEndsMix)
{
    EXPECT_EQ(Fields("id<head>hair\r\n"s, '<'), (std::vector<std::string>{"id", "head>hair\n"}));
}

TEST_F(TextFiles, MissingListIsCreatedEmptyAndAListInAMissingFolderReadsAsEmpty)
{
    Text_In in;
    Open_Text_In(in, "Vorel OXT Files\\New.txt");
    Text_Slot field;
    Read_Field(in, '\n', field);
    EXPECT_TRUE(in.at_end);
    Close_Text_In(in);
    EXPECT_EQ(Read("Vorel OXT Files/New.txt"), ""s);

    Open_Text_In(in, "Missing Folder\\New.txt");
    for (int i = 0; i < 3; ++i) {
        Read_Field(in, '\n', field);
        EXPECT_STREQ(field, "");
        EXPECT_TRUE(in.at_end);
    }
    Close_Text_In(in);
    EXPECT_FALSE(Exists("Missing Folder"));
}

// The player's saves, data files and meshes are only read: a missing one stays missing,
// wherever it would have been, in whatever letter case it is named.
TEST_F(TextFiles, PlainReadOpenNeverCreatesAFile)
{
    for (const char* path :
         {"Saves\\Vorel.ess", "Data Files\\Gone.esp", "data files\\MESHES\\Vorel\\Vorel_Error_Marker.nif",
          "Vorel OXT Files\\Vorel_Data_File_List.txt", "Data Files\\MWSE\\Vorel_Partner.bin"}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(Open_For_Reading(path), nullptr);
        std::string posix = path;
        for (char& c : posix)
            if (c == '\\') c = '/';
        EXPECT_FALSE(Exists(posix));
    }
    EXPECT_EQ(Read("Saves/Vorel.ess"), std::nullopt);
    Write("Saves/Vorel.ess", "TES3");
    std::FILE* save = Open_For_Reading("saves\\vorel.ESS");
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(std::fgetc(save), 'T');
    std::fclose(save);
}

TEST_F(TextFiles, WrittenLineEndsAreCrLfOnDisk)
{
    Text_Out out;
    Open_Text_Out(out, "Vorel OXT Files\\Log.txt", 0);
    Write_Text(out, "a\nb");
    Write_Line(out, "c", "d", "e");
    Write_Line(out, "");
    Close_Text_Out(out);
    EXPECT_EQ(Read("Vorel OXT Files/Log.txt"), "a\r\nbcde\r\n\r\n"s);
    Open_Text_Out(out, "Vorel OXT Files\\Log.txt", 1);
    Write_Line(out, "more");
    Close_Text_Out(out);
    EXPECT_EQ(Read("Vorel OXT Files/Log.txt"), "a\r\nbcde\r\n\r\nmore\r\n"s);
}
