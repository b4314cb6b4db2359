// Reading the data-file list back into the name table: the count line, the names in list
// order, a last name without its line end, over-long lines and a list too long for the table.
#include "tests/support/console_capture.h"
#include "tests/support/scratch_game.h"
#include "toolkit/toolkit.h"

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

using namespace std::string_literals;

class ReadDataFileList : public Scratch_Game {
protected:
    void SetUp() override
    {
        Scratch_Game::SetUp();
        Enter();
    }
    void Read_List(const std::string& bytes)
    {
        Write("Vorel OXT Files/Vorel_Data_File_List.txt", bytes);
        EXPECT_EQ(Read_Data_File_List(), 0);
    }
};

TEST_F(ReadDataFileList, StoresTheCountAndTheNamesInListOrder)
{
    std::strcpy(Data_File_Names[3], "kept");
    Read_List("3\r\nVorel.esp\r\nTribunal.esm\r\nMorrowind.esm\r\n");
    EXPECT_EQ(Data_File_Count, 3);
    EXPECT_STREQ(Data_File_Names[0], "Vorel.esp");
    EXPECT_STREQ(Data_File_Names[1], "Tribunal.esm");
    EXPECT_STREQ(Data_File_Names[2], "Morrowind.esm");
    EXPECT_STREQ(Data_File_Names[3], "kept");
}

TEST_F(ReadDataFileList, LastNameWithoutItsLineEndIsNotStoredButCounted)
{
    std::strcpy(Data_File_Names[2], "kept");
    Read_List("3\r\nA.esp\r\nB.esm\r\nC.esm");
    EXPECT_EQ(Data_File_Count, 3);
    EXPECT_STREQ(Data_File_Names[0], "A.esp");
    EXPECT_STREQ(Data_File_Names[1], "B.esm");
    EXPECT_STREQ(Data_File_Names[2], "kept");
}

TEST_F(ReadDataFileList, CountLineAloneOrNoListStoresOneEmptyName)
{
    struct Case {
        const char* what;
        std::string bytes;
        int count;
    };
    const Case cases[] = {{"count line only", "2\r\n", 2},
                          {"empty list", "", 0},
                          {"count line without digits", "many\r\n", 0},
                          {"blanks and a sign", "  +7 files\r\n", 7}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::strcpy(Data_File_Names[0], "old");
        Read_List(c.bytes);
        EXPECT_EQ(Data_File_Count, c.count);
        EXPECT_STREQ(Data_File_Names[0], "");
    }
}

TEST_F(ReadDataFileList, MissingListIsCreatedEmpty)
{
    Data_File_Count = 9;
    EXPECT_EQ(Read_Data_File_List(), 0);
    EXPECT_EQ(Data_File_Count, 0);
    EXPECT_STREQ(Data_File_Names[0], "");
    EXPECT_EQ(Read("Vorel OXT Files/Vorel_Data_File_List.txt"), ""s);
}

TEST_F(ReadDataFileList, MissingCompanionFolderEndsWithCountZero)
{
    Remove("Vorel OXT Files");
    Data_File_Count = 9;
    EXPECT_EQ(Read_Data_File_List(), 0);
    EXPECT_EQ(Data_File_Count, 0);
    EXPECT_FALSE(Exists("Vorel OXT Files"));
}

TEST_F(ReadDataFileList, LineOf99CharactersIsFollowedByAnEmptyName)
{
    const std::string n98(98, 'a');
    const std::string n99(99, 'b');
    const std::string n120(120, 'c');
    Read_List("4\r\n" + n98 + "\r\n" + n99 + "\r\n" + n120 + "\r\nLast.esp\r\n");
    EXPECT_STREQ(Data_File_Names[0], n98.c_str());
    EXPECT_STREQ(Data_File_Names[1], n99.c_str());
    EXPECT_STREQ(Data_File_Names[2], "");
    EXPECT_STREQ(Data_File_Names[3], n120.substr(0, 99).c_str());
    EXPECT_STREQ(Data_File_Names[4], n120.substr(99).c_str());
    EXPECT_STREQ(Data_File_Names[5], "Last.esp");
}

TEST_F(ReadDataFileList, NamesBeyondTheTableAreNotStored)
{
    std::string list = "300\r\n";
    for (int i = 0; i < 300; ++i) list.append("P").append(std::to_string(i)).append(".esp\r\n");
    Read_List(list);
    EXPECT_EQ(Data_File_Count, 300);
    EXPECT_STREQ(Data_File_Names[0], "P0.esp");
    EXPECT_STREQ(Data_File_Names[Max_Data_Files - 1], "P274.esp");
}

// A body-part lookup loads every data file again and again: a missing one is said at its first
// load in the run and never again, and a data file that is there, empty or not, is not said.
TEST_F(ReadDataFileList, MissingDataFileIsSaidAtItsFirstLoadOfTheRun)
{
    Write("Data Files/Here.esp", "TES3");
    Write("Data Files/Empty.esp", "");
    Read_List("3\r\nGone.esp\r\nHere.esp\r\nEmpty.esp\r\n");
    const std::string gone = "Error! Could not find data file: Data Files\\Gone.esp\n";
    {
        Console_Capture capture;
        for (int pass = 0; pass < 3; ++pass)
            for (int index = 0; index < 3; ++index) Load_Data_File(index);
        Load_Data_File_Named("gone.esp");  // another spelling is said as it is spelled
        Load_Data_File_Named("Gone.esp");
        EXPECT_EQ(capture.Text(), gone + "Error! Could not find data file: Data Files\\gone.esp\n");
    }
    EXPECT_EQ(File_Length, 0);
    EXPECT_FALSE(Exists("Data Files/Gone.esp"));
    // A new run says it again.
    Console_Capture capture;
    EXPECT_EQ(Begin_Run_In_Game_Folder(), 0);
    Load_Data_File(0);
    Load_Data_File(0);
    EXPECT_EQ(capture.Text(), gone);
}

// The game's root folder is the one that holds "Data Files" or "Saves", in any letter case.
TEST_F(ReadDataFileList, RunBeginsOnlyInAFolderWithDataFilesOrSaves)
{
    const std::string wrong =
        "Error! Start this program from the game's root folder, the folder that holds 'Data Files' and 'Saves'\n";
    const struct {
        std::vector<const char*> folders;
        int answer;
    } cases[] = {{{"Data Files"}, 0}, {{"Saves"}, 0}, {{"data files"}, 0},
                 {{"SAVES"}, 0},      {{}, -1},       {{"Vorel OXT Files", "Data Files Old", "Save"}, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folders.size());
        Remove("Data Files");
        Remove("Saves");
        Remove("Vorel OXT Files");
        for (const char* folder : c.folders) std::filesystem::create_directories(Path(folder));
        Console_Capture capture;
        EXPECT_EQ(Begin_Run_In_Game_Folder(), c.answer);
        EXPECT_EQ(capture.Text(), c.answer == 0 ? "" : wrong);
        for (const char* folder : c.folders) Remove(folder);
    }
}
