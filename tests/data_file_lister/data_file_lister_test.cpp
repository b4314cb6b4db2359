// The data-file lister's worker on saves built byte by byte: which "MAST" values become
// names, their order in the list, the list's bytes and the console lines.
#include "data_file_lister/data_file_lister.h"
#include "tests/support/bound_user.h"
#include "tests/support/console_capture.h"
#include "tests/support/scratch_game.h"
#include "toolkit/toolkit.h"
#include "tools/program_run/program_table.h"
#include "tools/tes3/tes3_builder.h"

#include <string>
#include <vector>

using namespace std::string_literals;
using tes3::Le32;
using tes3::String_Subrecord;

namespace {

const std::string Closing = "\nDone!\n" + Closing_Line("data-file-lister") + "\n";
const std::string No_Save = "Error! 'Saves\\Vorel.ess' is missing or empty\n"
                            "Save the game, then copy the newest save file in 'Saves' to 'Vorel.ess'\n";
const std::string Unwritten_List = "Error! Could not write file: Vorel OXT Files\\Vorel_Data_File_List.txt\n";

std::string Save_Naming(const std::vector<std::string>& masters)
{
    return tes3::Header_Record(masters.data(), static_cast<int>(masters.size()));
}

std::string Adding(const std::vector<std::string>& names)
{
    std::string lines;
    for (const std::string& name : names) lines += "Adding Data File: " + name + "\n";
    return lines;
}

}  // namespace

class BuildDataFileList : public Scratch_Game {
protected:
    void SetUp() override
    {
        Scratch_Game::SetUp();
        Enter();
    }
    // Runs the worker on the save; returns its console output.
    std::string Run(const std::string& save)
    {
        Write("Saves/Vorel.ess", save);
        Console_Capture capture;
        Build_Data_File_List();
        return capture.Text();
    }
    std::string List() { return Read("Vorel OXT Files/Vorel_Data_File_List.txt").value_or("<missing>"); }
};

TEST_F(BuildDataFileList, ListsTheNamesLatestLoadedFirst)
{
    EXPECT_EQ(Run(Save_Naming({"X.esm", "Y.esm", "Z.esp"})), Adding({"X.esm", "Y.esm", "Z.esp"}) + Closing);
    EXPECT_EQ(List(), "3\r\nZ.esp\r\nY.esm\r\nX.esm\r\n");
    EXPECT_EQ(Is_File_Buffer_Free(), 1);
    EXPECT_EQ(Search_Pos, 0);
}

TEST_F(BuildDataFileList, SaveWithoutNamesGivesACountOfZero)
{
    Write("Vorel OXT Files/Vorel_Data_File_List.txt", "2\r\nA.esm\r\nB.esm\r\n");
    for (const std::string& save : {"TES3 no names here"s, Save_Naming({})}) {
        EXPECT_EQ(Run(save), Closing);
        EXPECT_EQ(List(), "0\r\n");
    }
}

// The game names its saves itself: a missing or empty "Saves\Vorel.ess" is said before the
// closing lines, with what to do; the list is written as ever.
TEST_F(BuildDataFileList, MissingOrEmptySaveIsSaidBeforeDone)
{
    Write("Vorel OXT Files/Vorel_Data_File_List.txt", "2\r\nA.esm\r\nB.esm\r\n");
    {
        Console_Capture capture;
        Build_Data_File_List();
        EXPECT_EQ(capture.Text(), No_Save + Closing);
    }
    EXPECT_EQ(List(), "0\r\n");
    EXPECT_FALSE(Exists("Saves/Vorel.ess"));
    EXPECT_EQ(Run(""), No_Save + Closing);
    Remove("Saves");
    Console_Capture capture;
    Build_Data_File_List();
    EXPECT_EQ(capture.Text(), No_Save + Closing);
}

// A list that cannot be written is said once, and left as it was: never read back half
// written, never reported as done without a word.
TEST_F(BuildDataFileList, ListThatCannotBeWrittenIsSaidOnceAndLeftAsItWas)
{
    Write("Vorel OXT Files/Vorel_Data_File_List.txt", "1\r\nOld.esm\r\n");
    As_Bound_User bound(root);
    Make_Read_Only(Path("Vorel OXT Files/Vorel_Data_File_List.txt"));
    EXPECT_EQ(Run(Save_Naming({"A.esm", "B.esp"})), Unwritten_List + Adding({"A.esm", "B.esp"}) + Closing);
    EXPECT_EQ(List(), "1\r\nOld.esm\r\n");
}

TEST_F(BuildDataFileList, ValuesWithChildrenOrOver98CharactersAreSkipped)
{
    const std::string name98(94, 'n');
    const std::vector<std::string> masters = {
        "Children.esp",  "The Children of Morrowind.esp", "Lost Children", "CHILDREN.esp", "children.esm",
        name98 + ".esp", std::string(95, 'm') + ".esp",   "Keep.esm"};
    EXPECT_EQ(Run(Save_Naming(masters)),
              Adding({"CHILDREN.esp", "children.esm", name98 + ".esp", "Keep.esm"}) + Closing);
    EXPECT_EQ(List(), "4\r\nKeep.esm\r\n" + name98 + ".esp\r\nchildren.esm\r\nCHILDREN.esp\r\n");
}

TEST_F(BuildDataFileList, EveryMastCountsAndTheSameNameTwiceIsListedTwice)
{
    // offset 0 "MAST" is never found; a "MAST" inside later data yields a value too.
    const std::string save = "MAST"s + Le32(6) + "A.esm\0"s + Save_Naming({"B.esm", "B.esm"}) +
                             tes3::Record("GLOB", String_Subrecord("NAME", "xMAST\x02\0\0\0C.esp"s));
    EXPECT_EQ(Run(save), Adding({"B.esm", "B.esm", "C.esp"}) + Closing);
    EXPECT_EQ(List(), "3\r\nC.esp\r\nB.esm\r\nB.esm\r\n");
}

TEST_F(BuildDataFileList, SkippedValueIsSearchedForAFurtherTag)
{
    // A skipped value leaves the cursor just after its tag, so a "MAST" inside it is found.
    const std::string save = "x"s + String_Subrecord("MAST", "Children MAST\x01\0\0\0Inner.esp"s);
    EXPECT_EQ(Run(save), Adding({"Inner.esp"}) + Closing);
    EXPECT_EQ(List(), "1\r\nInner.esp\r\n");
}

TEST_F(BuildDataFileList, ValueWithALineEndKeepsTheCountEqualToTheLines)
{
    EXPECT_EQ(Run(Save_Naming({"A.esm", "B\n.esp", "C.esp"})), Adding({"A.esm", "B\n.esp", "C.esp"}) + Closing);
    // Read back as four lines, of which the first three are listed in reverse.
    EXPECT_EQ(List(), "3\r\n.esp\r\nB\r\nA.esm\r\n");
}

TEST_F(BuildDataFileList, MalformedValuesNeverReadOutsideTheSave)
{
    const std::vector<std::string> saves = {"xMAST"s, "xMAST\x05"s, "xMAST\x05\0\0\0"s, "xMAST\x05\0\0\0abc"s,
                                            "xMAST"s + Le32(0x100) + "big.esm\0"s};
    for (const std::string& save : saves) {
        SCOPED_TRACE(save.size());
        const std::string console = Run(save);
        EXPECT_NE(console.find(Closing), std::string::npos);
    }
    EXPECT_EQ(List(), "1\r\n\x01\r\n");  // a size of 256 makes its second byte the value
}

TEST_F(BuildDataFileList, MoreNamesThanTheTableHoldsAreNotListed)
{
    std::vector<std::string> masters;
    for (int i = 0; i < Max_Data_Files + 5; ++i) masters.push_back("Plugin " + std::to_string(i) + ".esp");
    const std::string console = Run(Save_Naming(masters));
    EXPECT_NE(console.find("Adding Data File: Plugin 274.esp\n"), std::string::npos);
    EXPECT_EQ(console.find("Plugin 275.esp"), std::string::npos);
    const std::string list = List();
    EXPECT_EQ(list.substr(0, 21), "275\r\nPlugin 274.esp\r\n");
    EXPECT_EQ(list.substr(list.size() - 14), "Plugin 0.esp\r\n");
    size_t lines = 0;
    for (char c : list) lines += c == '\n';
    EXPECT_EQ(lines, 276u);
}

TEST_F(BuildDataFileList, MissingCompanionFolderIsSaidAndTheRunStillEnds)
{
    Remove("Vorel OXT Files");
    EXPECT_EQ(Run(Save_Naming({"A.esm"})), Unwritten_List + Adding({"A.esm"}) + Closing);
    EXPECT_FALSE(Exists("Vorel OXT Files"));
}
