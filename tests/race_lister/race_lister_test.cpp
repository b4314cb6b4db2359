// The race lister's worker on data files built byte by byte: which "BODY" records are
// taken, the rows and slots they fill, the regular groin meshes, the exact bytes of both
// race lists and the race error log, and the console lines.
#include "race_lister/race_lister.h"
#include "tests/support/bound_user.h"
#include "tests/support/console_capture.h"
#include "tests/support/scratch_game.h"
#include "toolkit/toolkit.h"
#include "tools/program_run/program_table.h"
#include "tools/tes3/tes3_builder.h"

#include <filesystem>
#include <string>
#include <vector>

using namespace std::string_literals;
using tes3::Body_Record;
using tes3::Le32;

namespace {

const std::string Closing = "Done!\n" + Closing_Line("race-lister") + "\n";
const std::string Run_Data_File_Lister_First =
    "Error! 'Vorel OXT Files\\Vorel_Data_File_List.txt' is missing or lists nothing: run data-file-lister first\n\n";
// The line that closes a run that missed a body part; with a log that took the entries, the
// line that points to it follows.
const std::string Misses_Unlogged = "Meshes for some race body parts could not be found!\n";
const std::string Closing_With_Misses =
    Closing + Misses_Unlogged + "See 'Vorel OXT Files\\Race Errors.txt' for details\n";
const std::string Marker = "Data Files\\Meshes\\Vorel\\Vorel_Error_Marker.nif";
const std::string Unwritten_Log = "Error! Could not write file: Vorel OXT Files\\Race Errors.txt\n";
const char* const Part_Words[] = {"Neck",     "Chest", "Groin", "Hands", "Wrist",   "Forearm",
                                  "Upperarm", "Foot",  "Ankle", "Knee",  "Upperleg"};

// prefix followed by number, built in two steps (GCC 12 warns wrongly on "x" + to_string).
std::string Numbered(const std::string& prefix, int number)
{
    std::string text = prefix;
    text += std::to_string(number);
    return text;
}

std::string Mesh(const std::string& value) { return "Data Files\\Meshes\\" + value; }

// The eleven "MODL" values "<prefix>_<part number>.nif" of one race, parts 2 to 12.
std::vector<std::string> Eleven_Meshes(const std::string& prefix)
{
    std::vector<std::string> meshes;
    for (int part = 2; part <= 12; ++part) meshes.push_back(prefix + "_" + std::to_string(part) + ".nif");
    return meshes;
}

// One body-part record for each of the eleven parts.
std::string Eleven_Records(const std::string& race, const std::string& prefix, int flags)
{
    std::string bytes;
    const std::vector<std::string> meshes = Eleven_Meshes(prefix);
    for (int part = 2; part <= 12; ++part)
        bytes += Body_Record(prefix + "_id" + std::to_string(part), meshes[static_cast<size_t>(part - 2)], race, part,
                             flags);
    return bytes;
}

// A race-list line: the name and eleven fields, a "" field being an empty slot; CR LF.
std::string Line(const std::string& race, const std::vector<std::string>& slots)
{
    std::string line = race + "*";
    for (size_t slot = 0; slot < 11; ++slot) {
        const std::string field = slot < slots.size() ? slots[slot] : "";
        line += (field.empty() ? Marker : field) + "*";
    }
    return line + "\r\n";
}

// The paths of eleven "MODL" values.
std::vector<std::string> Paths(const std::vector<std::string>& values)
{
    std::vector<std::string> paths;
    for (const std::string& value : values) paths.push_back(Mesh(value));
    return paths;
}

// A race error log entry for slot 1 to 11.
std::string Entry(const std::string& sex, int slot, const std::string& race)
{
    return "Could not find mesh for " + sex + " body part: " + Part_Words[slot - 1] + "\r\nUsed by " + sex +
           " race: " + race + "\r\n\r\n";
}

std::string Adding(const std::string& sex, const std::string& race)
{
    return "Adding " + sex + " Race: " + race + "\n\n";
}

}  // namespace

class BuildRaceLists : public Scratch_Game {
protected:
    void SetUp() override
    {
        Scratch_Game::SetUp();
        Enter();
    }
    // Writes the data-file list naming the given data files, each a "TES3" header followed
    // by the given bytes.
    void Data_Files(std::vector<std::pair<std::string, std::string>> files)
    {
        for (auto& file : files) file.second = tes3::Header_Record(nullptr, 0) + file.second;
        Write_Data_Files(files);
    }
    // Runs the worker; returns its console output.
    std::string Run()
    {
        Console_Capture capture;
        Build_Race_Lists();
        return capture.Text();
    }
    std::string Run_On(const std::string& bytes)
    {
        Data_Files({{"Only.esp", bytes}});
        return Run();
    }
    std::string Male() const { return Read("Vorel_MRace_List.txt").value_or("<missing>"); }
    std::string Female() const { return Read("Vorel_FRace_List.txt").value_or("<missing>"); }
    std::string Log() const { return Read("Vorel OXT Files/Race Errors.txt").value_or("<missing>"); }
};

// ---------------------------------------------------------------- the main path

TEST_F(BuildRaceLists, RaceWithAllElevenPartsOfEachSexHasFullLinesAndNoLogEntry)
{
    const std::string console = Run_On(Eleven_Records("Argonian", "arg_m", 0) + Eleven_Records("Argonian", "arg_f", 1));
    EXPECT_EQ(console, Adding("Male", "Argonian") + Adding("Female", "Argonian") + Closing);
    EXPECT_EQ(Male(), Line("Argonian", Paths(Eleven_Meshes("arg_m"))));
    EXPECT_EQ(Female(), Line("Argonian", Paths(Eleven_Meshes("arg_f"))));
    EXPECT_EQ(Log(), "");
    EXPECT_EQ(Is_File_Buffer_Free(), 1);
}

TEST_F(BuildRaceLists, ListsAndLogAreWrittenExactlyWithCrLf)
{
    const std::string console = Run_On(Body_Record("k_neck", "k\\neck.nif", "Khajiit", 2, 0) +
                                       Body_Record("k_foot_f", "k\\foot_f.nif", "Khajiit", 9, 1));
    EXPECT_EQ(console, Adding("Male", "Khajiit") + Adding("Female", "Khajiit") + Closing_With_Misses);
    const std::string male = "Khajiit*Data Files\\Meshes\\k\\neck.nif*" + [] {
        std::string rest;
        for (int i = 0; i < 10; ++i) rest += Marker + "*";
        return rest;
    }() + "\r\n";
    EXPECT_EQ(Male(), male);
    EXPECT_EQ(Female(), Line("Khajiit", {"", "", "", "", "", "", "", Mesh("k\\foot_f.nif")}));
    std::string log;
    for (int slot = 2; slot <= 11; ++slot) log += Entry("male", slot, "Khajiit");
    for (int slot = 1; slot <= 11; ++slot)
        if (slot != 8) log += Entry("female", slot, "Khajiit");
    EXPECT_EQ(Log(), log);
}

TEST_F(BuildRaceLists, RowsStandInTheOrderTheirRacesAreFirstMetPerSex)
{
    Data_Files({{"Late.esp", Body_Record("a", "a.nif", "Orc", 3, 0) + Body_Record("b", "b.nif", "Breton", 2, 1) +
                                 Body_Record("c", "c.nif", "Argonian", 4, 0)},
                {"Early.esm", Body_Record("d", "d.nif", "Breton", 2, 0) + Body_Record("e", "e.nif", "Orc", 6, 1) +
                                  Body_Record("f", "f.nif", "Orc", 7, 0)}});
    EXPECT_EQ(Run(), Adding("Male", "Orc") + Adding("Female", "Breton") + Adding("Male", "Argonian") +
                         Adding("Male", "Breton") + Adding("Female", "Orc") + Closing_With_Misses);
    const std::string orc_groin = "Data Files\\Meshes\\Vorel\\Vorel_Or_UTA_Reg.NIF";
    const std::string breton_groin = "Data Files\\Meshes\\Vorel\\Vorel_Br_UTA_Reg.NIF";
    EXPECT_EQ(Male(), Line("Orc", {"", Mesh("a.nif"), orc_groin, "", "", Mesh("f.nif")}) +
                          Line("Argonian", {"", "", Mesh("c.nif")}) +
                          Line("Breton", {Mesh("d.nif"), "", breton_groin}));
    EXPECT_EQ(Female(), Line("Breton", {Mesh("b.nif")}) + Line("Orc", {"", "", "", "", Mesh("e.nif")}));
}

TEST_F(BuildRaceLists, FirstAcceptedRecordForASlotWinsInScanOrder)
{
    Data_Files({{"First.esp", Body_Record("n1", "first_neck.nif", "Dunmer", 2, 0) +
                                  Body_Record("n2", "second_neck.nif", "Dunmer", 2, 0)},
                {"Second.esm", Body_Record("n3", "third_neck.nif", "Dunmer", 2, 0) +
                                   Body_Record("c3", "second_file_chest.nif", "Dunmer", 3, 0)}});
    EXPECT_EQ(Run(), Adding("Male", "Dunmer") + Closing_With_Misses);
    EXPECT_EQ(Male(), Line("Dunmer", {Mesh("first_neck.nif"), Mesh("second_file_chest.nif")}));
    EXPECT_EQ(Female(), "");
}

TEST_F(BuildRaceLists, RaceNamesAreComparedExactly)
{
    Run_On(Body_Record("a", "a.nif", "Nord", 2, 0) + Body_Record("b", "b.nif", "nord", 2, 0) +
           Body_Record("c", "c.nif", "Nord ", 3, 0));
    const std::string nord_groin = "Data Files\\Meshes\\Vorel\\Vorel_No_UTA_Reg.NIF";
    EXPECT_EQ(Male(), Line("Nord", {Mesh("a.nif"), "", nord_groin}) + Line("nord", {Mesh("b.nif")}) +
                          Line("Nord ", {"", Mesh("c.nif")}));
}

// ---------------------------------------------------------------- which records are taken

TEST_F(BuildRaceLists, OtherPartTypesAndPartNumbersAreAllPassedOver)
{
    struct Case {
        int part;
        int type;
    };
    // Part numbers as bytes: 0xFF is -1 and 0x80 is -128 when read signed.
    const Case cases[] = {{2, 1},  {2, 2},  {2, 255}, {0, 0},    {1, 0},    {13, 0},
                          {14, 0}, {15, 0}, {127, 0}, {0xFF, 0}, {0x80, 0}, {5, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE("part " + std::to_string(c.part) + " type " + std::to_string(c.type));
        for (int flags : {0, 1}) {
            EXPECT_EQ(Run_On(Body_Record("x", "x.nif", "Unseen", c.part, flags, c.type)), Closing);
            EXPECT_EQ(Male(), "");
            EXPECT_EQ(Female(), "");
        }
    }
    // Still taken: parts 2 and 12 of type 0.
    EXPECT_EQ(Run_On(Body_Record("x", "x.nif", "Seen", 2, 0) + Body_Record("y", "y.nif", "Seen", 12, 0)),
              Adding("Male", "Seen") + Closing_With_Misses);
    EXPECT_EQ(Male(), Line("Seen", {Mesh("x.nif"), "", "", "", "", "", "", "", "", "", Mesh("y.nif")}));
}

TEST_F(BuildRaceLists, FirstPersonHandsArePassedOverByExactCase)
{
    struct Case {
        const char* id;
        int part;
        bool taken;
    };
    const Case cases[] = {
        {"b_n_nord_m_hands_1st", 5, false}, {"1st person hands", 5, false}, {"hands1st", 5, false},
        {"B_N_NORD_M_HANDS_1ST", 5, true},  {"hands_1St", 5, true},         {"hands_first", 5, true},
        {"b_n_nord_m_neck_1st", 2, true},   {"wrist_1st", 6, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        const std::string console = Run_On(Body_Record(c.id, "part.nif", "Nord", c.part, 0));
        EXPECT_EQ(console, c.taken ? Adding("Male", "Nord") + Closing_With_Misses : Closing);
        if (!c.taken) continue;
        std::vector<std::string> slots(11);
        slots[static_cast<size_t>(c.part - 2)] = Mesh("part.nif");
        slots[2] = "Data Files\\Meshes\\Vorel\\Vorel_No_UTA_Reg.NIF";
        EXPECT_EQ(Male(), Line("Nord", slots));
    }
}

TEST_F(BuildRaceLists, AnyNonZeroFlagsByteMeansFemale)
{
    for (int flags : {1, 2, 3, 0x80, 0xFF}) {
        SCOPED_TRACE(flags);
        EXPECT_EQ(Run_On(Body_Record("w", "wrist.nif", "Imperial", 6, flags)),
                  Adding("Female", "Imperial") + Closing_With_Misses);
        EXPECT_EQ(Male(), "");
        EXPECT_EQ(Female(), Line("Imperial", {"", "", "", "", Mesh("wrist.nif")}));
    }
}

TEST_F(BuildRaceLists, RecordTestLooksAtTheThirdSizeByteAndTheNameWindow)
{
    std::string big = Body_Record("big", "big.nif", "Big", 2, 0);
    big[6] = 1;  // size 65536 or more: the third size byte is not 0
    std::string huge = Body_Record("huge", "huge.nif", "Huge", 2, 0);
    huge[7] = 1;  // only the fourth size byte: still a record
    // "BODY" then 13 bytes before "NAME": the tag is too far for the record test.
    const std::string far = "BODY"s + Le32(40) + std::string(9, '\0') + tes3::String_Subrecord("NAME", "far") +
                            tes3::String_Subrecord("MODL", "far.nif") + tes3::String_Subrecord("FNAM", "Far") +
                            tes3::Subrecord("BYDT", tes3::Body_Data(2, 0, 0));
    EXPECT_EQ(Run_On("x" + big + huge + far), Adding("Male", "Huge") + Closing_With_Misses);
    EXPECT_EQ(Male(), Line("Huge", {Mesh("huge.nif")}));
}

TEST_F(BuildRaceLists, BodyAtPositionZeroIsNeverFound)
{
    // The search from 0 begins at byte 1: a data file that begins with the tag hides the
    // record; the same record one byte later is taken.
    Write("Vorel OXT Files/Vorel_Data_File_List.txt", "2\r\nZero.esp\r\nOne.esp\r\n");
    Write("Data Files/Zero.esp", Body_Record("zero", "zero.nif", "Zero", 2, 0));
    Write("Data Files/One.esp", "x" + Body_Record("one", "one.nif", "One", 2, 0));
    EXPECT_EQ(Run(), Adding("Male", "One") + Closing_With_Misses);
}

TEST_F(BuildRaceLists, ARecordWithoutItsOwnSubrecordsTakesTheNextOnesInTheFile)
{
    // Record 1 has no "MODL": its mesh is record 2's, and so is the race, which follows that
    // "MODL"; the scan goes on after record 2's "FNAM", so record 2 is never judged itself.
    const std::string record1 =
        tes3::Record("BODY", tes3::String_Subrecord("NAME", "one") + tes3::String_Subrecord("FNAM", "Race One") +
                                 tes3::Subrecord("BYDT", tes3::Body_Data(2, 0, 0)));
    const std::string record2 = Body_Record("two", "two.nif", "Race Two", 3, 1);
    EXPECT_EQ(Run_On("x" + record1 + record2), Adding("Male", "Race Two") + Closing_With_Misses);
    EXPECT_EQ(Male(), Line("Race Two", {Mesh("two.nif")}));
    EXPECT_EQ(Female(), "");
}

// ---------------------------------------------------------------- regular groin meshes

TEST_F(BuildRaceLists, EightRacesGetTheirRegularGroinMeshOnlyInTheMaleList)
{
    const std::vector<std::pair<std::string, std::string>> races = {
        {"Breton", "Br"}, {"Dark Elf", "De"}, {"High Elf", "He"}, {"Imperial", "Im"},
        {"Nord", "No"},   {"Redguard", "Rg"}, {"Wood Elf", "We"}, {"Orc", "Or"}};
    std::string bytes = "x";
    for (const auto& [race, code] : races) {
        bytes += Body_Record(code + "_neck", code + "_neck.nif", race, 2, 0);
        bytes += Body_Record(code + "_neck_f", code + "_neck_f.nif", race, 2, 1);
    }
    Run_On(bytes);
    std::string male;
    std::string female;
    std::string log;
    for (const auto& [race, code] : races) {
        male += Line(race, {Mesh(code + "_neck.nif"), "", "Data Files\\Meshes\\Vorel\\Vorel_" + code + "_UTA_Reg.NIF"});
        female += Line(race, {Mesh(code + "_neck_f.nif")});
        for (int slot = 2; slot <= 11; ++slot)
            if (slot != 3) log += Entry("male", slot, race);
    }
    for (const auto& [race, code] : races)
        for (int slot = 2; slot <= 11; ++slot) log += Entry("female", slot, race);
    EXPECT_EQ(Male(), male);
    EXPECT_EQ(Female(), female);
    EXPECT_EQ(Log(), log);
}

TEST_F(BuildRaceLists, NordGroinIsOverriddenEvenWhenFoundButNotForOtherCases)
{
    const std::string nord_groin = "Data Files\\Meshes\\Vorel\\Vorel_No_UTA_Reg.NIF";
    std::string bytes = "x" + Eleven_Records("Nord", "nord_m", 0) + Eleven_Records("NORD", "caps_m", 0) +
                        Eleven_Records("Nord", "nord_f", 1);
    Run_On(bytes + Body_Record("dn", "dn.nif", "Dark elf", 4, 0) + Body_Record("fn", "fn.nif", "Dark Elf", 2, 1));
    std::vector<std::string> nord = Paths(Eleven_Meshes("nord_m"));
    nord[2] = nord_groin;
    EXPECT_EQ(Male(), Line("Nord", nord) + Line("NORD", Paths(Eleven_Meshes("caps_m"))) +
                          Line("Dark elf", {"", "", Mesh("dn.nif")}));
    // A female row of one of the eight races keeps what was found, or its Groin is missing.
    EXPECT_EQ(Female(), Line("Nord", Paths(Eleven_Meshes("nord_f"))) + Line("Dark Elf", {Mesh("fn.nif")}));
    std::string log;
    for (int slot = 1; slot <= 11; ++slot)
        if (slot != 3) log += Entry("male", slot, "Dark elf");
    for (int slot = 2; slot <= 11; ++slot) log += Entry("female", slot, "Dark Elf");
    EXPECT_EQ(Log(), log);
}

// ---------------------------------------------------------------- empty runs and files

TEST_F(BuildRaceLists, NoAcceptedRecordGivesEmptyListsAndLog)
{
    Write("Vorel_MRace_List.txt", "old*\r\n");
    Write("Vorel_FRace_List.txt", "old*\r\n");
    Write("Vorel OXT Files/Race Errors.txt", "old entry\r\n");
    EXPECT_EQ(Run_On("TES3 nothing here but BODY text and BYDT"), Closing);
    EXPECT_EQ(Male(), "");
    EXPECT_EQ(Female(), "");
    EXPECT_EQ(Log(), "");
}

TEST_F(BuildRaceLists, MissingDataFileIsSaidNotCreatedAndTheScanGoesOn)
{
    Write("Vorel OXT Files/Vorel_Data_File_List.txt", "3\r\nGone.esp\r\nNo Folder\\X.esp\r\nHere.esp\r\n");
    Write("Data Files/Here.esp", "x" + Body_Record("h", "h.nif", "Here", 2, 0));
    EXPECT_EQ(Run(), "Error! Could not find data file: Data Files\\Gone.esp\n"
                     "Error! Could not find data file: Data Files\\No Folder\\X.esp\n" +
                         Adding("Male", "Here") + Closing_With_Misses);
    EXPECT_FALSE(Exists("Data Files/Gone.esp"));
    EXPECT_EQ(Male(), Line("Here", {Mesh("h.nif")}));
}

TEST_F(BuildRaceLists, CountOutsideTheNameTableNeverReadsBeyondIt)
{
    Write("Data Files/A.esp", "x" + Body_Record("a", "a.nif", "Alpha", 2, 0));
    Write("Data Files/B.esp", "x" + Body_Record("b", "b.nif", "Beta", 2, 0));
    for (const std::string& count : {"0"s, "-5"s, ""s, "none"s}) {
        SCOPED_TRACE(count);
        Write("Vorel OXT Files/Vorel_Data_File_List.txt", count + "\r\nA.esp\r\nB.esp\r\n");
        EXPECT_EQ(Run(), Run_Data_File_Lister_First + Closing);
        EXPECT_EQ(Male(), "");
    }
    // Above the table: every name the table holds is scanned, and the empty ones give nothing.
    Write("Vorel OXT Files/Vorel_Data_File_List.txt", "99999\r\nA.esp\r\nB.esp\r\n");
    EXPECT_EQ(Run(), Adding("Male", "Alpha") + Adding("Male", "Beta") + Closing_With_Misses);
    Remove("Vorel OXT Files/Vorel_Data_File_List.txt");
    EXPECT_EQ(Run(), Run_Data_File_Lister_First + Closing);
}

TEST_F(BuildRaceLists, MissingCompanionFolderGivesNoScanButEmptyListsAndIsSaid)
{
    Remove("Vorel OXT Files");
    EXPECT_EQ(Run(), Unwritten_Log + Run_Data_File_Lister_First + Closing);
    EXPECT_EQ(Male(), "");
    EXPECT_EQ(Female(), "");
    EXPECT_FALSE(Exists("Vorel OXT Files"));
}

TEST_F(BuildRaceLists, LogThatCannotBeOpenedLosesItsEntriesOnlyAndIsSaid)
{
    std::filesystem::create_directories(Path("Vorel OXT Files/Race Errors.txt"));
    EXPECT_EQ(Run_On(Body_Record("a", "a.nif", "Alpha", 2, 0)),
              Adding("Male", "Alpha") + Unwritten_Log + Closing + Misses_Unlogged);
    EXPECT_EQ(Male(), Line("Alpha", {Mesh("a.nif")}));
    EXPECT_EQ(Female(), "");
}

TEST_F(BuildRaceLists, ReadOnlyListsAreSaidOnceEachAndKeepWhatTheyHeld)
{
    Data_Files({{"Only.esp", Body_Record("a", "a.nif", "Alpha", 2, 0)}});
    Write("Vorel_MRace_List.txt", "old*\r\n");
    Write("Vorel_FRace_List.txt", "old*\r\n");
    As_Bound_User bound(root);
    Make_Read_Only(Path("Vorel_MRace_List.txt"));
    Make_Read_Only(Path("Vorel_FRace_List.txt"));
    EXPECT_EQ(Run(), Adding("Male", "Alpha") + "Error! Could not write file: Vorel_MRace_List.txt\n" +
                         "Error! Could not write file: Vorel_FRace_List.txt\n" + Closing_With_Misses);
    EXPECT_EQ(Male(), "old*\r\n");
    EXPECT_EQ(Female(), "old*\r\n");
}

// ---------------------------------------------------------------- malformed data

TEST_F(BuildRaceLists, MissingTagsEndTheDataFileButNotTheScan)
{
    const std::string good = "x" + Body_Record("g", "g.nif", "Good", 2, 0);
    struct Case {
        const char* what;
        std::string tail;
    };
    const std::string name = tes3::String_Subrecord("NAME", "bad");
    const std::string bydt = tes3::Subrecord("BYDT", tes3::Body_Data(3, 0, 0));
    const Case cases[] = {
        {"no BYDT after the record", tes3::Record("BODY", name + tes3::String_Subrecord("MODL", "bad.nif") +
                                                              tes3::String_Subrecord("FNAM", "Bad"))},
        {"no MODL after the record", tes3::Record("BODY", name + tes3::String_Subrecord("FNAM", "Bad") + bydt)},
        {"no FNAM after the MODL", tes3::Record("BODY", name + tes3::String_Subrecord("FNAM", "Bad") +
                                                            tes3::String_Subrecord("MODL", "bad.nif") + bydt)},
        {"BYDT cut off by the end of the file",
         tes3::Record("BODY", name + tes3::String_Subrecord("MODL", "b.nif") + tes3::String_Subrecord("FNAM", "Bad")) +
             "BYDT\x04\0\0\0\x03\0\0"s},
        {"BYDT tag at the very end", tes3::Record("BODY", name) + "BYDT"},
        {"BODY at the very end", "BODY"s},
        {"BODY and size at the very end", "BODY\x10\0"s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Data_Files({{"Bad.esp", good + c.tail}, {"Next.esp", "x" + Body_Record("n", "n.nif", "Next", 2, 0)}});
        EXPECT_EQ(Run(), Adding("Male", "Good") + Adding("Male", "Next") + Closing_With_Misses);
        EXPECT_EQ(Male(), Line("Good", {Mesh("g.nif")}) + Line("Next", {Mesh("n.nif")}));
    }
}

// A race name too long for its slot leaves the record out. A mesh path too long for its slot
// would be listed cut, naming some other file: the race keeps its row, and the part is found
// by a later record or listed as missing, with its log entry.
TEST_F(BuildRaceLists, ValuesThatDoNotFitTheirSlotsAreNeverListedCut)
{
    const std::string mesh81 = std::string(77, 'm') + ".nif";  // "Data Files\Meshes\" + 81 = 99
    const std::string mesh82 = std::string(78, 'm') + ".nif";
    const std::string race99(99, 'R');
    const std::string race100(100, 'R');
    const std::string bytes = "x" + Body_Record("a", mesh82, "Short", 2, 0) + Body_Record("b", mesh81, "Short", 2, 0) +
                              Body_Record("c", "c.nif", race100, 3, 0) + Body_Record("d", "d.nif", race99, 3, 0) +
                              Body_Record("1st" + std::string(120, 'i'), "e.nif", "Hand", 5, 0) +
                              Body_Record(std::string(120, 'i'), "f.nif", "Hand", 5, 0) +
                              Body_Record("g", mesh82, "Lone", 2, 0) +
                              Body_Record("h", std::string(200, 'h'), "Lone", 4, 0);
    EXPECT_EQ(Run_On(bytes), Adding("Male", "Short") + Adding("Male", race99) + Adding("Male", "Hand") +
                                 Adding("Male", "Lone") + Closing_With_Misses);
    EXPECT_EQ(Male(), Line("Short", {Mesh(mesh81)}) + Line(race99, {"", Mesh("d.nif")}) +
                          Line("Hand", {"", "", "", Mesh("f.nif")}) + Line("Lone", {}));
    std::string lone_entries;
    for (int slot = 1; slot <= 11; ++slot) lone_entries += Entry("male", slot, "Lone");
    EXPECT_NE(Log().find(lone_entries), std::string::npos);
}

TEST_F(BuildRaceLists, RacesBeyondThreeHundredOfOneSexAreLeftOut)
{
    std::string bytes = "x";
    for (int race = 0; race < 303; ++race)
        bytes += Body_Record(Numbered("n", race), "n.nif", Numbered("Race ", race), 2, 0);
    bytes += Body_Record("late", "late_chest.nif", "Race 0", 3, 0);
    bytes += Body_Record("lost", "lost.nif", "Race 302", 3, 0);
    bytes += Body_Record("fem", "fem.nif", "Race 302", 3, 1);
    const std::string console = Run_On(bytes);
    std::string expected;
    for (int race = 0; race < 300; ++race) expected += Adding("Male", Numbered("Race ", race));
    EXPECT_EQ(console, expected + Adding("Female", "Race 302") + Closing_With_Misses);
    const std::string male = Male();
    EXPECT_EQ(male.substr(0, Line("Race 0", {Mesh("n.nif"), Mesh("late_chest.nif")}).size()),
              Line("Race 0", {Mesh("n.nif"), Mesh("late_chest.nif")}));
    size_t lines = 0;
    for (char c : male) lines += c == '\n';
    EXPECT_EQ(lines, 300u);
    EXPECT_NE(male.find(Line("Race 299", {Mesh("n.nif")})), std::string::npos);
    EXPECT_EQ(male.find("Race 300"), std::string::npos);
    EXPECT_EQ(Female(), Line("Race 302", {"", Mesh("fem.nif")}));
}
