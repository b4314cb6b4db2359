// The NPC lister's worker on data files built byte by byte: the record scan and its record
// test, the field windows, empty values and defaults, the female bit, the list paths, the
// census list and the console lines.
#include "npc_lister/npc_lister.h"
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
using tes3::Npc_Record;
using tes3::String_Subrecord;
using tes3::Subrecord;

namespace {

const std::string Closing = "\nDone!\n" + Closing_Line("npc-lister") + "\n";
const std::string Run_Data_File_Lister_First =
    "Error! 'Vorel OXT Files\\Vorel_Data_File_List.txt' is missing or lists nothing: run data-file-lister first\n";
const std::string Defaults = "<b_n_dark elf_m_head_01>b_n_dark elf_m_hair_01<Dark Elf>0<";

std::string Npc(const std::string& subrecords) { return tes3::Record("NPC_", subrecords); }

// A subrecord of exactly `bytes` bytes that holds no tag the lister searches for.
std::string Filler(int bytes) { return Subrecord("XXXX", std::string(static_cast<size_t>(bytes - 8), 'x')); }

}  // namespace

class BuildNPCLists : public Scratch_Game {
protected:
    void SetUp() override
    {
        Scratch_Game::SetUp();
        Enter();
    }
    // Lists the names, each with its line end, under a count line of their number.
    void List(const std::vector<std::string>& names) { Write_Data_File_List(names); }
    std::string Run()
    {
        Console_Capture capture;
        EXPECT_EQ(Build_NPC_Lists(), 0);
        return capture.Text();
    }
    // The NPC list of one data file "A.esp" holding the given bytes after a "TES3" start.
    std::string List_Of(const std::string& records)
    {
        List({"A.esp"});
        Write("Data Files/A.esp", "TES3" + records);
        Run();
        return Read("Vorel OXT Files/NPC Lists/A NPC List.txt").value_or("<missing>");
    }
    std::string Census() { return Read("Vorel OXT Files/Vorel_Data_File_Census_List.txt").value_or("<missing>"); }
};

TEST_F(BuildNPCLists, ListsEveryDataFileInListOrderWithItsCensusLine)
{
    List({"Vorel.esp", "Tribunal.esm"});
    Write("Data Files/Vorel.esp",
          "TES3" + Npc_Record("vorel_ilmeni", "Ilmeni Dren", "Dark Elf", "b_f_head", "b_f_hair", 1) +
              Npc_Record("hrolf", "Hrolf the Tall", "Nord", "b_n_nord_m_head_01", "b_n_nord_m_hair_01", 0));
    Write("Data Files/Tribunal.esm", "TES3" + tes3::Body_Record("b_x", "x.nif", "Nord", 0, 0));
    EXPECT_EQ(Run(), "\nCreating text file: Vorel OXT Files\\NPC Lists\\Vorel NPC List.txt\n"
                     "Adding NPC: Ilmeni Dren\nAdding NPC: Hrolf the Tall\n"
                     "\nCreating text file: Vorel OXT Files\\NPC Lists\\Tribunal NPC List.txt\n" +
                         Closing);
    EXPECT_EQ(Read("Vorel OXT Files/NPC Lists/Vorel NPC List.txt"),
              "vorel_ilmeni<b_f_head>b_f_hair<Dark Elf>1<Ilmeni Dren\r\n"
              "hrolf<b_n_nord_m_head_01>b_n_nord_m_hair_01<Nord>0<Hrolf the Tall\r\n"s);
    EXPECT_EQ(Read("Vorel OXT Files/NPC Lists/Tribunal NPC List.txt"), ""s);
    EXPECT_EQ(Census(), "Vorel.esp*2\r\nTribunal.esm*0\r\n");
    EXPECT_EQ(Is_File_Buffer_Free(), 1);
    EXPECT_EQ(Search_Pos, 0);
}

TEST_F(BuildNPCLists, MissingFieldsTakeTheirDefaults)
{
    const std::string name = String_Subrecord("NAME", "id");
    struct Case {
        const char* what;
        std::string subrecords;
        std::string line;
    };
    const Case cases[] = {
        {"nothing but the ID", name, "id" + Defaults + "id"},
        {"full name only", name + String_Subrecord("FNAM", "Full"), "id" + Defaults + "Full"},
        {"race only", name + String_Subrecord("RNAM", "Nord"),
         "id<b_n_dark elf_m_head_01>b_n_dark elf_m_hair_01<Nord>0<id"},
        {"head only", name + String_Subrecord("BNAM", "h"), "id<h>b_n_dark elf_m_hair_01<Dark Elf>0<id"},
        {"hair only", name + String_Subrecord("KNAM", "k"), "id<b_n_dark elf_m_head_01>k<Dark Elf>0<id"},
        {"empty values",
         name + String_Subrecord("FNAM", "") + String_Subrecord("RNAM", "") + String_Subrecord("BNAM", "") +
             String_Subrecord("KNAM", ""),
         "id" + Defaults + "id"},
        {"searched in their own order, written in the line's",
         name + String_Subrecord("FNAM", "F") + String_Subrecord("RNAM", "R") + String_Subrecord("BNAM", "B") +
             String_Subrecord("KNAM", "K") + Subrecord("FLAG", Le32(1)),
         "id<B>K<R>1<F"},
        {"out of order: a tag before the cursor is not found",
         name + String_Subrecord("RNAM", "R") + String_Subrecord("FNAM", "F"), "id" + Defaults + "F"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(List_Of(Npc(c.subrecords)), c.line + "\r\n");
    }
}

TEST_F(BuildNPCLists, ConsoleNamesTheFullNameOrTheId)
{
    List({"A.esp"});
    // The record without a full name comes last: its "FNAM" search would otherwise find the
    // next record's, within reach.
    Write("Data Files/A.esp", "TES3" + Npc_Record("b", "Bolvyn Venim", "Dark Elf", "h", "k", 0) +
                                  Npc(String_Subrecord("NAME", "nameless_one")));
    EXPECT_EQ(Run(), "\nCreating text file: Vorel OXT Files\\NPC Lists\\A NPC List.txt\n"
                     "Adding NPC: Bolvyn Venim\nAdding NPC: nameless_one\n" +
                         Closing);
}

TEST_F(BuildNPCLists, TagBeginning95BytesAfterTheCursorIsTakenAnd96IsNot)
{
    // "NAME" 03 00 00 00 "i" "d" 00 | filler | tag ...: the cursor rests on the "d", so the
    // tag begins 2 + filler bytes after it. Tags searched before it are missing and leave
    // the cursor on the "d".
    const std::string name = String_Subrecord("NAME", "id");
    struct Case {
        const char* tag;
        std::string value;
        std::string taken;
        std::string missed;
    };
    const Case cases[] = {
        {"FNAM", String_Subrecord("FNAM", "Val"), "id" + Defaults + "Val", "id" + Defaults + "id"},
        {"RNAM", String_Subrecord("RNAM", "Val"), "id<b_n_dark elf_m_head_01>b_n_dark elf_m_hair_01<Val>0<id",
         "id" + Defaults + "id"},
        {"BNAM", String_Subrecord("BNAM", "Val"), "id<Val>b_n_dark elf_m_hair_01<Dark Elf>0<id",
         "id" + Defaults + "id"},
        {"KNAM", String_Subrecord("KNAM", "Val"), "id<b_n_dark elf_m_head_01>Val<Dark Elf>0<id",
         "id" + Defaults + "id"},
        {"FLAG", Subrecord("FLAG", Le32(1)), "id<b_n_dark elf_m_head_01>b_n_dark elf_m_hair_01<Dark Elf>1<id",
         "id" + Defaults + "id"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tag);
        EXPECT_EQ(List_Of(Npc(name + Filler(93) + c.value)), c.taken + "\r\n");
        EXPECT_EQ(List_Of(Npc(name + Filler(94) + c.value)), c.missed + "\r\n");
    }
}

TEST_F(BuildNPCLists, TagOutOfReachLeavesTheCursorWhereItWas)
{
    // The full name lies 96 bytes after the "d" of the ID and is missed; the race, which
    // comes before it in the record, is then found from the ID.
    const std::string race = String_Subrecord("RNAM", "Nord");  // 13 bytes
    EXPECT_EQ(List_Of(Npc(String_Subrecord("NAME", "id") + race + Filler(81) + String_Subrecord("FNAM", "Far"))),
              "id<b_n_dark elf_m_head_01>b_n_dark elf_m_hair_01<Nord>0<id\r\n");
}

TEST_F(BuildNPCLists, EmptyValueMovesTheCursorJustAfterItsTag)
{
    // "FNAM" 01 00 00 00 00: the cursor moves to the first size byte, so a race tag that
    // begins 95 bytes after it is taken though it lies 100 bytes after the ID's "d".
    const std::string start = String_Subrecord("NAME", "id") + String_Subrecord("FNAM", "");
    EXPECT_EQ(List_Of(Npc(start + Filler(90) + String_Subrecord("RNAM", "Nord"))),
              "id<b_n_dark elf_m_head_01>b_n_dark elf_m_hair_01<Nord>0<id\r\n");
    EXPECT_EQ(List_Of(Npc(start + Filler(91) + String_Subrecord("RNAM", "Nord"))), "id" + Defaults + "id\r\n");
}

TEST_F(BuildNPCLists, FemaleFlagIsBitZeroOfTheFirstDataByte)
{
    const std::pair<std::uint32_t, char> cases[] = {{0x01, '1'}, {0x03, '1'}, {0xFF, '1'}, {0xFFFFFF01, '1'},
                                                    {0x00, '0'}, {0x02, '0'}, {0xFE, '0'}, {0x0100, '0'}};
    for (const auto& [flags, digit] : cases) {
        SCOPED_TRACE(flags);
        EXPECT_EQ(List_Of(Npc_Record("id", "N", "Nord", "h", "k", flags)), "id<h>k<Nord>"s + digit + "<N\r\n");
    }
}

TEST_F(BuildNPCLists, FlagTagAtTheEndOfTheFileGivesMale)
{
    const std::string record = Npc(String_Subrecord("NAME", "id") + String_Subrecord("FNAM", "N"));
    for (const std::string& end : {"FLAG"s, "FLAG\x04"s, "FLAG\x04\0\0\0"s}) {
        SCOPED_TRACE(end.size());
        EXPECT_EQ(List_Of(record + end), "id" + Defaults + "N\r\n");
    }
    EXPECT_EQ(List_Of(record + "FLAG\x04\0\0\0\x01"s),
              "id<b_n_dark elf_m_head_01>b_n_dark elf_m_hair_01<Dark Elf>1<N\r\n");
}

TEST_F(BuildNPCLists, CandidatesThatFailTheRecordTestGiveNoLine)
{
    const std::string good = Npc_Record("good", "Good", "Nord", "h", "k", 0);
    const std::string name = String_Subrecord("NAME", "bad");
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"NAME 17 bytes after the tag", "NPC_"s + Le32(40) + std::string(9, '\0') + name},
        {"fourth size byte not 0", "NPC_\x28\0\0\x01"s + std::string(8, '\0') + name},
        {"no NAME at all", "NPC_"s + Le32(40) + std::string(8, '\0') + "NAMx"},
        {"tag cut by the end of the file", "NPC"s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(List_Of(c.bytes + good), "good<h>k<Nord>0<Good\r\n");
        EXPECT_EQ(Census(), "A.esp*1\r\n");
        EXPECT_EQ(List_Of(good + c.bytes), "good<h>k<Nord>0<Good\r\n");
    }
}

TEST_F(BuildNPCLists, ScanGoesOnOneByteAfterAFailedCandidate)
{
    const std::string good = Npc_Record("good", "Good", "Nord", "h", "k", 0);
    // The record begins one byte after the failed tag's end: found.
    EXPECT_EQ(List_Of("NPC_y" + good), "good<h>k<Nord>0<Good\r\n");
    // It begins right at that end: the next search starts one byte later and passes it over.
    EXPECT_EQ(List_Of("NPC_" + good), "");
}

TEST_F(BuildNPCLists, RecordAtTheVeryStartOfTheFileIsNotFound)
{
    List({"A.esp"});
    Write("Data Files/A.esp",
          Npc_Record("first", "First", "Nord", "h", "k", 0) + Npc_Record("second", "Second", "Nord", "h", "k", 0));
    Run();
    EXPECT_EQ(Read("Vorel OXT Files/NPC Lists/A NPC List.txt"), "second<h>k<Nord>0<Second\r\n"s);
}

TEST_F(BuildNPCLists, EmptyIdIsListedEmptyAndTheFieldsAreSearchedAfterItsTag)
{
    EXPECT_EQ(List_Of(Npc(String_Subrecord("NAME", "") + String_Subrecord("FNAM", "Nameless") +
                          String_Subrecord("RNAM", "Nord"))),
              "<b_n_dark elf_m_head_01>b_n_dark elf_m_hair_01<Nord>0<Nameless\r\n");
    EXPECT_EQ(List_Of(Npc(String_Subrecord("NAME", ""))), Defaults + "\r\n");
}

TEST_F(BuildNPCLists, SearchesAreNotBoundedByTheRecord)
{
    // The first record has no hair: its hair search finds the next record's "KNAM" within
    // reach and the scan goes on after it, past the second record's own tag.
    const std::string first = Npc(String_Subrecord("NAME", "a") + String_Subrecord("FNAM", "A") +
                                  String_Subrecord("RNAM", "R") + String_Subrecord("BNAM", "h"));
    const std::string second = Npc(String_Subrecord("NAME", "b") + String_Subrecord("KNAM", "k2"));
    EXPECT_EQ(List_Of(first + second), "a<h>k2<R>0<A\r\n");
}

TEST_F(BuildNPCLists, SameIdTwiceGivesTwoLines)
{
    const std::string npc = Npc_Record("twin", "Twin", "Nord", "h", "k", 0);
    EXPECT_EQ(List_Of(npc + npc), "twin<h>k<Nord>0<Twin\r\ntwin<h>k<Nord>0<Twin\r\n");
    EXPECT_EQ(Census(), "A.esp*2\r\n");
}

TEST_F(BuildNPCLists, LongValuesAreCutAt99Characters)
{
    const std::string full(150, 'f');
    const std::string id(120, 'i');
    EXPECT_EQ(
        List_Of(Npc(String_Subrecord("NAME", id) + String_Subrecord("FNAM", full) + String_Subrecord("RNAM", "Nord"))),
        id.substr(0, 99) + "<b_n_dark elf_m_head_01>b_n_dark elf_m_hair_01<Nord>0<" + full.substr(0, 99) + "\r\n");
}

TEST_F(BuildNPCLists, CutOffRecordsNeverReadOutsideTheFile)
{
    const std::string whole = Npc_Record("cut", "Cut Off", "Nord", "h", "k", 1) + Npc(String_Subrecord("NAME", "z"));
    for (size_t length = 0; length <= whole.size(); ++length) {
        SCOPED_TRACE(length);
        const std::string list = List_Of(whole.substr(0, length));
        size_t lines = 0;
        for (size_t at = list.find("\r\n"); at != std::string::npos; at = list.find("\r\n", at + 2)) ++lines;
        EXPECT_EQ(Census(), "A.esp*" + std::to_string(lines) + "\r\n");
    }
    EXPECT_EQ(List_Of(whole), "cut<h>k<Nord>1<Cut Off\r\nz" + Defaults + "z\r\n");
}

TEST_F(BuildNPCLists, ListPathCutsTheJoinedText)
{
    struct Case {
        std::string name;
        std::string list;  // below the game root
    };
    const Case cases[] = {
        {"Morrowind.esm", "Vorel OXT Files/NPC Lists/Morrowind NPC List.txt"},
        {"Plugin", "Vorel OXT Files/NPC Lists/Pl NPC List.txt"},
        {"Abcd", "Vorel OXT Files/NPC Lists/ NPC List.txt"},
        {"Ab", "Vorel OXT Files/NPC List NPC List.txt"},
        {"A", "Vorel OXT Files/NPC Lis NPC List.txt"},
        {std::string(94, 'n') + ".esp", "Vorel OXT Files/NPC Lists/" + std::string(94, 'n') + " NPC List.txt"},
    };
    std::vector<std::string> names;
    for (const Case& c : cases) {
        names.push_back(c.name);
        Write("Data Files/" + c.name, "TES3" + Npc_Record("id_" + c.name.substr(0, 2), "N", "Nord", "h", "k", 0));
    }
    List(names);
    const std::string console = Run();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Read(c.list), "id_" + c.name.substr(0, 2) + "<h>k<Nord>0<N\r\n");
        std::string shown = c.list;
        for (char& ch : shown)
            if (ch == '/') ch = '\\';
        EXPECT_NE(console.find("\nCreating text file: " + shown + "\nAdding NPC: N\n"), std::string::npos);
    }
}

TEST_F(BuildNPCLists, EmptyNameLoadsNothingAndStillHasItsCensusLine)
{
    Write("Vorel OXT Files/Vorel_Data_File_List.txt", "2\r\n\r\nB.esp\r\n");
    Write("Data Files/B.esp", "TES3" + Npc_Record("b", "B", "Nord", "h", "k", 0));
    EXPECT_EQ(Run(), "\nCreating text file: Vorel OXT Files\\NPC Li NPC List.txt\n"
                     "\nCreating text file: Vorel OXT Files\\NPC Lists\\B NPC List.txt\nAdding NPC: B\n" +
                         Closing);
    EXPECT_EQ(Read("Vorel OXT Files/NPC Li NPC List.txt"), ""s);
    EXPECT_EQ(Census(), "*0\r\nB.esp*1\r\n");
}

TEST_F(BuildNPCLists, NamesDecideNotTheCountLine)
{
    Write("Vorel OXT Files/Vorel_Data_File_List.txt", "5\r\nA.esp\r\nB.esp\r\nC.esp");
    EXPECT_EQ(Run(), "\nCreating text file: Vorel OXT Files\\NPC Lists\\A NPC List.txt\n"
                     "Error! Could not find data file: Data Files\\A.esp\n"
                     "\nCreating text file: Vorel OXT Files\\NPC Lists\\B NPC List.txt\n"
                     "Error! Could not find data file: Data Files\\B.esp\n" +
                         Closing);
    EXPECT_EQ(Census(), "A.esp*0\r\nB.esp*0\r\n");
    EXPECT_FALSE(Exists("Vorel OXT Files/NPC Lists/C NPC List.txt"));
    EXPECT_FALSE(Exists("Data Files/C.esp"));
    EXPECT_FALSE(Exists("Data Files/A.esp"));  // a missing data file reads as empty and is not created
}

TEST_F(BuildNPCLists, MissingOrEmptyDataFileListListsNothing)
{
    Write("Vorel OXT Files/Vorel_Data_File_Census_List.txt", "Old.esp*3\r\n");
    EXPECT_EQ(Run(), Run_Data_File_Lister_First + Closing);
    EXPECT_EQ(Census(), "");
    EXPECT_EQ(Read("Vorel OXT Files/Vorel_Data_File_List.txt"), ""s);
    Write("Vorel OXT Files/Vorel_Data_File_List.txt", "0\r\n");
    EXPECT_EQ(Run(), Run_Data_File_Lister_First + Closing);
}

TEST_F(BuildNPCLists, MissingFoldersLoseTheFilesButNotTheRunAndAreSaid)
{
    List({"A.esp"});
    Write("Data Files/A.esp", "TES3" + Npc_Record("a", "Alvor", "Nord", "h", "k", 0));
    Remove("Vorel OXT Files/NPC Lists");
    const std::string npc_list = "Vorel OXT Files\\NPC Lists\\A NPC List.txt";
    EXPECT_EQ(Run(), "\nCreating text file: " + npc_list + "\nError! Could not write file: " + npc_list +
                         "\nAdding NPC: Alvor\n" + Closing);
    EXPECT_EQ(Census(), "A.esp*1\r\n");
    Remove("Vorel OXT Files");
    Forget_Unwritten_Files();
    EXPECT_EQ(Run(), "Error! Could not write file: Vorel OXT Files\\Vorel_Data_File_Census_List.txt\n" +
                         Run_Data_File_Lister_First + Closing);
}

// Read-only lists are said once each, before the closing lines; the run goes on.
TEST_F(BuildNPCLists, ReadOnlyListsAreSaidOnceEach)
{
    List({"A.esp", "B.esp"});
    Write("Data Files/A.esp", "TES3" + Npc_Record("a", "Alvor", "Nord", "h", "k", 0));
    Write("Data Files/B.esp", "TES3" + Npc_Record("b", "Bera", "Nord", "h", "k", 1));
    Write("Vorel OXT Files/NPC Lists/A NPC List.txt", "old\r\n");
    Write("Vorel OXT Files/Vorel_Data_File_Census_List.txt", "old census\r\n");
    As_Bound_User bound(root);
    Make_Read_Only(Path("Vorel OXT Files/NPC Lists/A NPC List.txt"));
    Make_Read_Only(Path("Vorel OXT Files/Vorel_Data_File_Census_List.txt"));
    const std::string a_list = "Vorel OXT Files\\NPC Lists\\A NPC List.txt";
    EXPECT_EQ(Run(), "Error! Could not write file: Vorel OXT Files\\Vorel_Data_File_Census_List.txt\n"
                     "\nCreating text file: " +
                         a_list + "\nError! Could not write file: " + a_list +
                         "\nAdding NPC: Alvor\n\nCreating text file: Vorel OXT Files\\NPC Lists\\B NPC List.txt\n"
                         "Adding NPC: Bera\n" +
                         Closing);
    EXPECT_EQ(Read("Vorel OXT Files/NPC Lists/A NPC List.txt"), "old\r\n");
    EXPECT_EQ(Read("Vorel OXT Files/NPC Lists/B NPC List.txt"), "b<h>k<Nord>1<Bera\r\n"s);
    EXPECT_EQ(Census(), "old census\r\n");
}

TEST_F(BuildNPCLists, SecondRunRewritesTheSameFiles)
{
    const std::string list = List_Of(Npc_Record("a", "Alvor", "Nord", "h", "k", 0));
    const std::string census = Census();
    Run();
    EXPECT_EQ(Read("Vorel OXT Files/NPC Lists/A NPC List.txt"), list);
    EXPECT_EQ(Census(), census);
    EXPECT_EQ(census, "A.esp*1\r\n");
}
