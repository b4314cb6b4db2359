// Lists written whole: the new content takes the list's name only once complete, a list that
// cannot be written whole (full disk, read-only, a folder in its place) keeps what it held,
// a link in its place is replaced, and what a killed run left beside the lists is removed.
// Also how often a file that cannot be written is said.
#include "tests/support/bound_user.h"
#include "tests/support/console_capture.h"
#include "tests/support/scratch_game.h"
#include "tests/support/unwritable_files.h"
#include "toolkit/toolkit.h"

#include <filesystem>
#include <string>

using namespace std::string_literals;

namespace {

const char* const List = "Vorel OXT Files\\List.txt";
const std::string List_File = "Vorel OXT Files/List.txt";
const std::string List_Temporary_File = List_File + ".Vorel_Temp";

std::string Long_Text() { return std::string(9000, 'n'); }

}  // namespace

class WholeFiles : public Scratch_Game {
protected:
    void SetUp() override
    {
        Scratch_Game::SetUp();
        Enter();
    }
};

TEST_F(WholeFiles, ListTakesItsNameOnlyWhenClosedWhole)
{
    Write(List_File, "old\r\n");
    Text_Out out;
    Open_Whole_Text_Out(out, List);
    Write_Line(out, "new");
    Write_Line(out, Long_Text().c_str());
    EXPECT_EQ(Read(List_File), "old\r\n"s);
    EXPECT_EQ(Close_Text_Out(out), 0);
    EXPECT_EQ(Read(List_File), "new\r\n" + Long_Text() + "\r\n");
    EXPECT_FALSE(Exists(List_Temporary_File));
    // A list that was missing is made.
    Open_Whole_Text_Out(out, "Vorel OXT Files\\New.txt");
    Write_Line(out, "made");
    EXPECT_EQ(Close_Text_Out(out), 0);
    EXPECT_EQ(Read("Vorel OXT Files/New.txt"), "made\r\n"s);
}

TEST_F(WholeFiles, ListThatCannotBeWrittenWholeKeepsWhatItHeldAndIsSaidOnce)
{
    for (const Unwritable_Case& c : Unwritable_Cases()) {
        SCOPED_TRACE(c.what);
        std::filesystem::create_directories(Path("Vorel OXT Files"));
        Write(List_File, "old\r\n");
        As_Bound_User bound(root);
        c.prepare(Path(List_File));
        Console_Capture capture;
        {
            File_Size_Limit disk(c.file_size_limit);
            Text_Out out;
            Open_Whole_Text_Out(out, List);
            for (int line = 0; line < 3; ++line) Write_Line(out, Long_Text().c_str());
            EXPECT_EQ(Close_Text_Out(out), -1);
        }
        EXPECT_EQ(capture.Text(), "Error! Could not write file: Vorel OXT Files\\List.txt\n");
        if (c.file_kept) {
            EXPECT_EQ(Read(List_File), "old\r\n"s);
        }
        EXPECT_FALSE(Exists(List_Temporary_File));
        Forget_Unwritten_Files();
        std::filesystem::remove_all(Path("Vorel OXT Files"));
    }
}

// A list whose name is a link: the link is replaced by the list, the file it led to is kept.
TEST_F(WholeFiles, LinkInTheListsPlaceIsReplacedNotFollowed)
{
    Write("elsewhere.txt", "someone else's file");
    std::filesystem::create_symlink(Path("elsewhere.txt"), Path(List_File));
    Text_Out out;
    Open_Whole_Text_Out(out, List);
    Write_Line(out, "new");
    EXPECT_EQ(Close_Text_Out(out), 0);
    EXPECT_FALSE(std::filesystem::is_symlink(Path(List_File)));
    EXPECT_EQ(Read(List_File), "new\r\n"s);
    EXPECT_EQ(Read("elsewhere.txt"), "someone else's file"s);
}

// A list kept beside its name is there to be read back; the name keeps what it held.
TEST_F(WholeFiles, ListKeptBesideLeavesTheNameAsItWas)
{
    Write(List_File, "old\r\n");
    Text_Out out;
    Open_Whole_Text_Out(out, List);
    Write_Line(out, "first draft");
    EXPECT_EQ(Close_Text_Out_Beside(out), 0);
    EXPECT_EQ(Read(List_Temporary_File), "first draft\r\n"s);
    EXPECT_EQ(Read(List_File), "old\r\n"s);
    Remove_Leftover_Of(List);
    EXPECT_FALSE(Exists(List_Temporary_File));
    // One that could not be written whole is not kept.
    Console_Capture capture;
    {
        File_Size_Limit disk(4096);
        Open_Whole_Text_Out(out, List);
        Write_Line(out, Long_Text().c_str());
        EXPECT_EQ(Close_Text_Out_Beside(out), -1);
    }
    EXPECT_FALSE(Exists(List_Temporary_File));
    EXPECT_EQ(Read(List_File), "old\r\n"s);
}

TEST_F(WholeFiles, LeftoversBesideTheListsOfAFolderAreRemoved)
{
    Write("Vorel OXT Files/NPC Lists/A NPC List.txt.Vorel_Temp", "half");
    Write("Vorel OXT Files/NPC Lists/B NPC List.txt.Vorel_Temp", "half");
    Write("Vorel OXT Files/NPC Lists/B NPC List.txt", "whole");
    Write("Vorel OXT Files/NPC Lists/notes.Vorel_Temp.txt", "the player's");
    Remove_Leftovers_In("vorel oxt files\\npc lists\\");
    EXPECT_FALSE(Exists("Vorel OXT Files/NPC Lists/A NPC List.txt.Vorel_Temp"));
    EXPECT_FALSE(Exists("Vorel OXT Files/NPC Lists/B NPC List.txt.Vorel_Temp"));
    EXPECT_EQ(Read("Vorel OXT Files/NPC Lists/B NPC List.txt"), "whole"s);
    EXPECT_EQ(Read("Vorel OXT Files/NPC Lists/notes.Vorel_Temp.txt"), "the player's"s);
    Remove_Leftovers_In("Missing Folder\\");
}

// A file held open that cannot be written is said again once the files said are forgotten
// (the monitor forgets them at every request); a program that never forgets hears of each
// file once, however many files there are.
TEST_F(WholeFiles, UnwritableFileIsSaidOncePerRoundOfTheMemo)
{
    Console_Capture capture;
    Text_Out log;
    Open_Text_Out(log, "Missing Folder\\Log.txt", 0);
    Write_Line(log, "entry");
    Forget_Unwritten_Files();
    Write_Line(log, "entry");
    Write_Line(log, "entry");
    Close_Text_Out(log);
    EXPECT_EQ(capture.Text(), "Error! Could not write file: Missing Folder\\Log.txt\n"
                              "Error! Could not write file: Missing Folder\\Log.txt\n");
    Console_Capture many;
    std::string said;
    for (int file = 0; file < 80; ++file) {
        const std::string path = "Missing Folder\\" + std::to_string(file) + ".txt";
        Text_Out out;
        Open_Whole_Text_Out(out, path.c_str());
        Write_Line(out, "line");
        Write_Line(out, "line");
        Close_Text_Out(out);
        said += "Error! Could not write file: " + path + "\n";
    }
    EXPECT_EQ(many.Text(), said);
}
