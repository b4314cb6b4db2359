// Player appearance's worker on saves, data files and race lists built byte by byte: which
// record is the player's, what is taken from it, the console lines, and which of the 26 mesh-set
// files change into what.
#include "player_appearance/player_appearance.h"
#include "tests/support/bound_user.h"
#include "tests/support/console_capture.h"
#include "tests/support/scratch_game.h"
#include "toolkit/toolkit.h"
#include "tools/tes3/tes3_builder.h"

#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace std::string_literals;
using tes3::Le32;
using tes3::Npc_Record;
using tes3::Record;
using tes3::String_Subrecord;
using tes3::Subrecord;

namespace {

const char* const Set_Words[Mesh_Set_Size] = {"Head",    "Hair",  "Neck", "Chest", "Groin", "Hand", "Wrist",
                                              "Forearm", "Uparm", "Foot", "Ankle", "Knee",  "Upleg"};
const char* const Part_Words[Body_Part_Count] = {"neck",     "chest", "groin", "hands", "wrist",   "forearm",
                                                 "upperarm", "foot",  "ankle", "knee",  "upperleg"};

const std::string Marker_Path = "Data Files\\Meshes\\Vorel\\Vorel_Error_Marker.nif";
const std::string Marker_Bytes = "marker\r\n\x1a\0"s;

// The bytes of the stand-in mesh "Data Files\Meshes\p\<name>.nif".
std::string Mesh_Bytes(const std::string& name) { return "mesh " + name + "\r\n\x1a\0"s; }
std::string Mesh_Path(const std::string& name) { return "Data Files\\Meshes\\p\\" + name + ".nif"; }

// A race-list line: the race, then eleven meshes named "<prefix>_<part>", each field ended by "*".
std::string Race_Line(const std::string& race, const std::string& prefix)
{
    std::string line = race + "*";
    for (const char* part : Part_Words) line += Mesh_Path(prefix + "_" + part) + "*";
    return line + "\r\n";
}

std::string Console_Lines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

// Lines 3 to 6 (head) or 7 to 10 (hair) of a run whose lookup found the part in file.
std::vector<std::string> Part_Lines(const std::string& part, const std::string& id, const std::string& file,
                                    const std::string& mesh)
{
    const std::string found =
        file.empty() ? "Could not find " + part + " BP in any data file" : "Found " + part + " BP in file: " + file;
    return {"Player's " + part + " BP name is: " + id, found, "Uses mesh: " + mesh, ""};
}

std::vector<std::string> operator+(std::vector<std::string> first, const std::vector<std::string>& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

std::vector<std::string> Write_Error(const std::string& target)
{
    return {"Error! Could not write file: " + target, "See 'Vorel OXT Files\\Copy Errors.txt' for details", ""};
}

std::vector<std::string> Copy_Error(const std::string& source)
{
    return {"Error! Could not find file: " + source, "Copying default file instead",
            "See 'Vorel OXT Files\\Copy Errors.txt' for details", ""};
}

const std::vector<std::string> Male_Changed = {"Done!",
                                               "Vorel male player meshes have been changed to this appearance & race"};
const std::vector<std::string> Female_Changed = {
    "Done!", "Vorel female player meshes have been changed to this appearance & race"};

}  // namespace

class ChangePlayerMeshes : public Scratch_Game {
protected:
    void SetUp() override
    {
        Scratch_Game::SetUp();
        Enter();
        std::filesystem::create_directories(Path("Data Files/Meshes/p"));
        Write("Data Files/Meshes/Vorel/Vorel_Error_Marker.nif", Marker_Bytes);
        Reset_Mesh_Set();
        // Two data files: the head only in the second, the hair in both (the first one wins).
        Write("Vorel OXT Files/Vorel_Data_File_List.txt", "2\r\nA.esm\r\nB.esp\r\n");
        Write("Data Files/A.esm", tes3::Body_Record("b_hair", "p\\hair.nif", "Dark Elf", 1, 0) +
                                      tes3::Body_Record("b_other", "p\\other.nif", "Dark Elf", 0, 0));
        Write("Data Files/B.esp", tes3::Body_Record("b_head", "p\\head.nif", "Dark Elf", 0, 0) +
                                      tes3::Body_Record("b_hair", "p\\hair_late.nif", "Dark Elf", 1, 0));
        for (const char* name : {"head", "hair", "hair_late", "other"}) Write_Mesh(name);
        Write_Race_Meshes("de");
        Write_Race_Meshes("fde");
    }

    static std::string Set_File(int female, int slot)
    {
        return "Data Files/Meshes/Vorel/Vorel_"s + (female ? "Fem1_" : "Male1_") + Set_Words[slot] + "0.NIF";
    }
    static std::string Untouched(int female, int slot) { return "untouched " + Set_File(female, slot); }

    void Reset_Mesh_Set()
    {
        for (int female = 0; female < 2; ++female)
            for (int slot = 0; slot < Mesh_Set_Size; ++slot) Write(Set_File(female, slot), Untouched(female, slot));
    }
    void Write_Mesh(const std::string& name) { Write("Data Files/Meshes/p/" + name + ".nif", Mesh_Bytes(name)); }
    void Write_Race_Meshes(const std::string& prefix)
    {
        for (const char* part : Part_Words) Write_Mesh(prefix + "_" + part);
    }

    // Runs the worker on a save of a header and the records given; returns its console output.
    std::string Run(const std::string& records)
    {
        const std::string masters[] = {"A.esm", "B.esp"};
        return Run_Bytes(tes3::Header_Record(masters, 2) + records);
    }
    // Runs the worker on exactly these bytes as the save.
    std::string Run_Bytes(const std::string& save)
    {
        Write("Saves/Vorel.ess", save);
        return Run_As_Is();
    }
    std::string Run_As_Is()
    {
        Console_Capture capture;
        const int result = Change_Player_Meshes();
        const std::string console = capture.Text();
        EXPECT_EQ(result, 0);
        EXPECT_EQ(Is_File_Buffer_Free(), 1);
        EXPECT_EQ(Search_Pos, 0);
        return console;
    }

    // The bytes that the 13 files of one sex should hold, in set order.
    static std::vector<std::string> Set_Of(const std::string& head, const std::string& hair, const std::string& race)
    {
        std::vector<std::string> set = {Mesh_Bytes(head), Mesh_Bytes(hair)};
        for (const char* part : Part_Words) set.push_back(Mesh_Bytes(race + "_" + part));
        return set;
    }
    void Expect_Set(int female, const std::vector<std::string>& expected)
    {
        for (int slot = 0; slot < Mesh_Set_Size; ++slot)
            EXPECT_EQ(Read(Set_File(female, slot)), expected[static_cast<size_t>(slot)]) << Set_File(female, slot);
    }
    void Expect_Untouched(int female)
    {
        for (int slot = 0; slot < Mesh_Set_Size; ++slot)
            EXPECT_EQ(Read(Set_File(female, slot)), Untouched(female, slot));
    }
    // Head and hair changed, the eleven body parts as they were.
    void Expect_Head_And_Hair_Only(int female, const std::string& head, const std::string& hair)
    {
        EXPECT_EQ(Read(Set_File(female, 0)), head);
        EXPECT_EQ(Read(Set_File(female, 1)), hair);
        for (int slot = 2; slot < Mesh_Set_Size; ++slot)
            EXPECT_EQ(Read(Set_File(female, slot)), Untouched(female, slot));
    }
    std::string Copy_Errors() { return Read("Vorel OXT Files/Copy Errors.txt").value_or("<missing>"); }
};

// Lines 1 to 10 of a run for a Dark Elf player with head b_head and hair b_hair.
std::vector<std::string> Dark_Elf_Lines(const std::string& sex)
{
    return std::vector<std::string>{"Player is a " + sex + " Dark Elf", ""} +
           Part_Lines("head", "b_head", "B.esp", Mesh_Path("head")) +
           Part_Lines("hair", "b_hair", "A.esm", Mesh_Path("hair"));
}

TEST_F(ChangePlayerMeshes, MalePlayerGetsHeadHairAndRaceOverTheMaleSet)
{
    Write(Male_Race_List, Race_Line("Wood Elf", "we") + Race_Line("Dark Elf", "de"));
    Write(Female_Race_List, Race_Line("Dark Elf", "fde"));
    const std::string save = Npc_Record("someone", "Some One", "Nord", "b_other", "b_other", 0) +
                             Npc_Record("player", "Hero", "Dark Elf", "b_head", "b_hair", 0);
    EXPECT_EQ(Run(save), Console_Lines(Dark_Elf_Lines("male") + Male_Changed));
    Expect_Set(0, Set_Of("head", "hair", "de"));
    Expect_Untouched(1);
    EXPECT_EQ(Copy_Errors(), "");
}

// A mesh-set file that cannot be written is said, logged, and never claimed changed: the
// closing line says the set was not changed, or not wholly.
TEST_F(ChangePlayerMeshes, MeshSetFilesThatCannotBeWrittenAreNotClaimedChanged)
{
    Write(Male_Race_List, Race_Line("Dark Elf", "de"));
    const std::string save = Npc_Record("player", "Hero", "Dark Elf", "b_head", "b_hair", 0);
    const std::vector<std::string> lines = Dark_Elf_Lines("male");
    std::vector<std::string> none_written = lines;
    std::string log;
    As_Bound_User bound(root);
    for (int slot = 0; slot < Mesh_Set_Size; ++slot) {
        Make_Read_Only(Path(Set_File(0, slot)));
        const std::string target = "Data Files\\Meshes\\Vorel\\Vorel_Male1_"s + Set_Words[slot] + "0.NIF";
        none_written = none_written + Write_Error(target);
        const std::string source =
            slot < 2 ? Mesh_Path(slot == 0 ? "head" : "hair") : Mesh_Path("de_"s + Part_Words[slot - 2]);
        log += "Could not write file: " + target + "\r\nWith file: " + source + "\r\n\r\n";
    }
    EXPECT_EQ(Run(save), Console_Lines(none_written + std::vector<std::string>{
                                                          "Done!", "Vorel male player meshes have not been changed"}));
    Expect_Untouched(0);
    EXPECT_EQ(Copy_Errors(), log);
    // One file that can be written: the set is changed, but not wholly.
    Write("Vorel OXT Files/Copy Errors.txt", "");
    chmod(Path(Set_File(0, 12)).c_str(), 0644);
    const std::string console = Run(save);
    EXPECT_EQ(console.substr(console.rfind("Done!")), "Done!\nVorel male player meshes have not been wholly changed\n");
    EXPECT_EQ(Read(Set_File(0, 12)), Mesh_Bytes("de_upperleg"));
}

TEST_F(ChangePlayerMeshes, FemalePlayerGetsTheFemaleSetAndTheMaleListIsOnlyCreated)
{
    Write(Female_Race_List, Race_Line("Dark Elf", "fde"));
    EXPECT_EQ(Run(Npc_Record("player", "Heroine", "Dark Elf", "b_head", "b_hair", 1)),
              Console_Lines(Dark_Elf_Lines("female") + Female_Changed));
    Expect_Set(1, Set_Of("head", "hair", "fde"));
    Expect_Untouched(0);
    EXPECT_EQ(Read(Male_Race_List), ""s);
}

TEST_F(ChangePlayerMeshes, OnlyBitZeroOfTheFirstFlagsByteGivesTheSex)
{
    Write(Male_Race_List, Race_Line("Dark Elf", "de"));
    Write(Female_Race_List, Race_Line("Dark Elf", "fde"));
    const struct {
        std::uint32_t flags;
        const char* sex;
    } cases[] = {{0x01, "female"}, {0xFF, "female"}, {0x00, "male"},        {0x02, "male"},
                 {0xFE, "male"},   {0x0100, "male"}, {0xFFFFFF01, "female"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.flags);
        const std::string console = Run(Npc_Record("player", "P", "Dark Elf", "b_head", "b_hair", c.flags));
        EXPECT_EQ(console.substr(0, console.find('\n')), "Player is a "s + c.sex + " Dark Elf");
    }
}

TEST_F(ChangePlayerMeshes, RecordTestFailuresArePassedOver)
{
    // A record whose "NAME" begins 13 bytes after the tag's end (d = 17):
    //   0 "NPC_"  4 size  8 header  12 flags  16 one stray byte  17 "NAME" ...
    const std::string far_name = "NPC_"s + Le32(40) + Le32(0) + Le32(0) + "x" + String_Subrecord("NAME", "player") +
                                 String_Subrecord("RNAM", "Too Far");
    // A record whose size has a non-zero fourth byte (offset 7):
    const std::string big_size = "NPC_"s + Le32(0x01000028) + Le32(0) + Le32(0) + String_Subrecord("NAME", "player") +
                                 String_Subrecord("RNAM", "Too Big");
    // "NPC_" as mere text inside another record, its "NAME" within reach but after non-zero bytes.
    const std::string in_text =
        Record("GLOB", String_Subrecord("NAME", "NPC_\x01\x01\x01\x01NAME") + String_Subrecord("RNAM", "In Text"));
    Write(Male_Race_List, Race_Line("Dark Elf", "de"));
    const std::string save =
        far_name + big_size + in_text + Npc_Record("player", "P", "Dark Elf", "b_head", "b_hair", 0);
    EXPECT_EQ(Run(save), Console_Lines(Dark_Elf_Lines("male") + Male_Changed));
    // The control: the same records with their faults mended each give the player.
    const std::string mended = "NPC_"s + Le32(40) + Le32(0) + Le32(0) + String_Subrecord("NAME", "player") +
                               String_Subrecord("RNAM", "Dark Elf") + String_Subrecord("BNAM", "b_head") +
                               String_Subrecord("KNAM", "b_hair");
    EXPECT_EQ(Run(mended + far_name), Console_Lines(Dark_Elf_Lines("male") + Male_Changed));
}

TEST_F(ChangePlayerMeshes, OnlyTheExactNamePlayerIsThePlayer)
{
    Write(Male_Race_List, Race_Line("Dark Elf", "de"));
    std::string save;
    for (const char* name : {"Player", "PLAYER", "player2", "xplayer", "playe"})
        save += Npc_Record(name, "Not Me", std::string("Race of ") + name, "b_other", "b_other", 1);
    save += Npc_Record("player", "Me", "Dark Elf", "b_head", "b_hair", 0);
    EXPECT_EQ(Run(save), Console_Lines(Dark_Elf_Lines("male") + Male_Changed));
    Expect_Set(0, Set_Of("head", "hair", "de"));
    Expect_Untouched(1);
}

TEST_F(ChangePlayerMeshes, MissingSubrecordsAreTakenFromFurtherOnInTheSave)
{
    // The player's record lacks "KNAM": the next record's hair is taken, and its "FLAG" too,
    // since the flags are sought from the hair value on.
    const std::string player =
        Record("NPC_", String_Subrecord("NAME", "player") + String_Subrecord("RNAM", "Dark Elf") +
                           String_Subrecord("BNAM", "b_head") + Subrecord("FLAG", Le32(0)));
    Write(Female_Race_List, Race_Line("Dark Elf", "fde"));
    const std::string save = player + Npc_Record("next", "Next", "Nord", "b_other", "b_hair", 1);
    EXPECT_EQ(Run(save), Console_Lines(Dark_Elf_Lines("female") + Female_Changed));
    Expect_Set(1, Set_Of("head", "hair", "fde"));
}

TEST_F(ChangePlayerMeshes, TagsFoundNowhereAfterTheNameAreNotFound)
{
    // Body parts stand in the data files, yet a missing ID must not match any of them.
    Write(Male_Race_List, Race_Line("", "de"));
    const std::string save = Npc_Record("other", "O", "Dark Elf", "b_head", "b_hair", 1) +
                             Record("NPC_", String_Subrecord("NAME", "player"));
    const std::string expected = Console_Lines(
        std::vector<std::string>{"Player is a male ", ""} + Part_Lines("head", "", "", Marker_Path) +
        Part_Lines("hair", "", "", Marker_Path) +
        std::vector<std::string>{"Done!", "Could not find race '' in 'Vorel_MRace_List.txt'",
                                 "Only the head and hair of the Vorel male player meshes have been changed"});
    EXPECT_EQ(Run(save), expected);
    Expect_Head_And_Hair_Only(0, Marker_Bytes, Marker_Bytes);
    Expect_Untouched(1);
    EXPECT_EQ(Copy_Errors(), "");
}

TEST_F(ChangePlayerMeshes, FlagWhoseDataLiesPastTheEndMeansMale)
{
    Write(Male_Race_List, Race_Line("Dark Elf", "de"));
    Write(Female_Race_List, Race_Line("Dark Elf", "fde"));
    const std::string record =
        Record("NPC_", String_Subrecord("NAME", "player") + String_Subrecord("RNAM", "Dark Elf") +
                           String_Subrecord("BNAM", "b_head") + String_Subrecord("KNAM", "b_hair"));
    const struct {
        std::string tail;
        const char* sex;
    } cases[] = {{"FLAG", "male"},
                 {"FLAG\x04\0\0"s, "male"},
                 {"FLAG\x04\0\0\0"s, "male"},
                 {"FLAG\x04\0\0\0\x01"s, "female"}};  // the control: the flags byte is the save's last
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tail.size());
        const std::string console = Run(record + c.tail);
        EXPECT_EQ(console.substr(0, console.find('\n')), "Player is a "s + c.sex + " Dark Elf");
    }
}

TEST_F(ChangePlayerMeshes, BodyPartsNoDataFileHoldsGetTheErrorMarker)
{
    Write(Male_Race_List, Race_Line("Dark Elf", "de"));
    // "b_hea" is "b_head" less its last letter: the byte after the match is no NUL before "MODL".
    EXPECT_EQ(Run(Npc_Record("player", "P", "Dark Elf", "b_hea", "b_nowhere", 0)),
              Console_Lines(std::vector<std::string>{"Player is a male Dark Elf", ""} +
                            Part_Lines("head", "b_hea", "", Marker_Path) +
                            Part_Lines("hair", "b_nowhere", "", Marker_Path) + Male_Changed));
    std::vector<std::string> set = Set_Of("head", "hair", "de");
    set[0] = set[1] = Marker_Bytes;
    Expect_Set(0, set);
    EXPECT_EQ(Copy_Errors(), "");
}

// "Data Files\Meshes\" and a value of 81 characters fill a slot. A longer value would give a
// cut path naming some other file: the part counts as held by no data file.
TEST_F(ChangePlayerMeshes, MeshPathTooLongForItsSlotCountsAsNotFound)
{
    const std::string fits = "p\\" + std::string(75, 'f') + ".nif";
    const std::string too_long = "p\\" + std::string(76, 't') + ".nif";
    Write("Data Files/B.esp", tes3::Body_Record("b_head", too_long, "Dark Elf", 0, 0) +
                                  tes3::Body_Record("b_hair", fits, "Dark Elf", 1, 0));
    Write("Data Files/Meshes/p/" + fits.substr(2), "fits");
    Write("Vorel OXT Files/Vorel_Data_File_List.txt", "1\r\nB.esp\r\n");
    Write(Male_Race_List, Race_Line("Dark Elf", "de"));
    EXPECT_EQ(Run(Npc_Record("player", "P", "Dark Elf", "b_head", "b_hair", 0)),
              Console_Lines(std::vector<std::string>{"Player is a male Dark Elf", ""} +
                            Part_Lines("head", "b_head", "", Marker_Path) +
                            Part_Lines("hair", "b_hair", "B.esp", "Data Files\\Meshes\\" + fits) + Male_Changed));
    EXPECT_EQ(Read(Set_File(0, 0)), Marker_Bytes);
    EXPECT_EQ(Read(Set_File(0, 1)), "fits");
}

TEST_F(ChangePlayerMeshes, MissingMeshesGiveOneErrorBlockEach)
{
    // The head's mesh is missing, and so is the Knee field of the race's line.
    Remove("Data Files/Meshes/p/head.nif");
    std::string line = Race_Line("Dark Elf", "de");
    line.replace(line.find("de_knee"), 7, "de_gone");
    Write(Male_Race_List, line);
    const std::string knee = Mesh_Path("de_gone");
    EXPECT_EQ(Run(Npc_Record("player", "P", "Dark Elf", "b_head", "b_hair", 0)),
              Console_Lines(Dark_Elf_Lines("male") + Copy_Error(Mesh_Path("head")) + Copy_Error(knee) + Male_Changed));
    std::vector<std::string> set = Set_Of("head", "hair", "de");
    set[0] = set[11] = Marker_Bytes;
    Expect_Set(0, set);
    Expect_Untouched(1);
    EXPECT_EQ(Without_Crlf(Copy_Errors()),
              "Could not find file: " + Mesh_Path("head") +
                  "\nTo replace file: Data Files\\Meshes\\Vorel\\Vorel_Male1_Head0.NIF\n\n"
                  "Could not find file: " +
                  knee + "\nTo replace file: Data Files\\Meshes\\Vorel\\Vorel_Male1_Knee0.NIF\n\n");
}

TEST_F(ChangePlayerMeshes, FirstLineOfTheExactRaceWins)
{
    Write_Race_Meshes("lower");
    Write_Race_Meshes("second");
    Write(Male_Race_List, Race_Line("dark elf", "lower") + Race_Line("Dark Elf ", "lower") +
                              Race_Line("Dark Elf", "de") + Race_Line("Dark Elf", "second"));
    EXPECT_EQ(Run(Npc_Record("player", "P", "Dark Elf", "b_head", "b_hair", 0)),
              Console_Lines(Dark_Elf_Lines("male") + Male_Changed));
    Expect_Set(0, Set_Of("head", "hair", "de"));
}

TEST_F(ChangePlayerMeshes, LastLineWithoutItsLineEndStillMatches)
{
    std::string line = Race_Line("Dark Elf", "de");
    Write(Male_Race_List, Race_Line("Nord", "no") + line.substr(0, line.size() - 2));
    EXPECT_EQ(Run(Npc_Record("player", "P", "Dark Elf", "b_head", "b_hair", 0)),
              Console_Lines(Dark_Elf_Lines("male") + Male_Changed));
    Expect_Set(0, Set_Of("head", "hair", "de"));
}

TEST_F(ChangePlayerMeshes, RaceMissingFromTheListChangesHeadAndHairOnly)
{
    const struct {
        int female;
        const char* list;
        std::string content;  // empty: the list is missing
    } cases[] = {{0, Male_Race_List, Race_Line("Nord", "no") + Race_Line("dark elf", "no")},
                 {0, Male_Race_List, ""},
                 {1, Female_Race_List, Race_Line("Nord", "no")},
                 {1, Female_Race_List, ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.list + ("/"s + c.content));
        Reset_Mesh_Set();
        Remove(Male_Race_List);
        Remove(Female_Race_List);
        if (!c.content.empty()) Write(c.list, c.content);
        // The race stands in the other sex's list, which is not read.
        Write(c.female ? Male_Race_List : Female_Race_List, Race_Line("Dark Elf", "de"));
        const std::string sex = c.female ? "female" : "male";
        // A list that lists nothing was never written: the race lister is named.
        std::vector<std::string> closing = {"Done!", "Could not find race 'Dark Elf' in '"s + c.list + "'",
                                            "Only the head and hair of the Vorel " + sex +
                                                " player meshes have been changed"};
        if (c.content.empty())
            closing.insert(closing.begin(),
                           "Error! '"s + c.list + "' is missing or lists nothing: run race-lister first");
        EXPECT_EQ(Run(Npc_Record("player", "P", "Dark Elf", "b_head", "b_hair", static_cast<std::uint32_t>(c.female))),
                  Console_Lines(Dark_Elf_Lines(sex) + closing));
        Expect_Head_And_Hair_Only(c.female, Mesh_Bytes("head"), Mesh_Bytes("hair"));
        Expect_Untouched(!c.female);
        EXPECT_EQ(Read(c.list), c.content);
    }
}

TEST_F(ChangePlayerMeshes, SaveWithoutThePlayerChangesNothing)
{
    const std::string no_player = Console_Lines({"Could not find the player's record in 'Saves\\Vorel.ess'", "Done!",
                                                 "No Vorel player meshes have been changed"});
    const std::string masters[] = {"A.esm"};
    // A save's first byte is never where a search finds a match, so a record at offset 0 is no record.
    for (const std::string& save :
         {""s, tes3::Header_Record(masters, 1),
          tes3::Header_Record(masters, 1) + Npc_Record("Player", "P", "Dark Elf", "b_head", "b_hair", 0),
          Npc_Record("player", "P", "Dark Elf", "b_head", "b_hair", 0), "xNPC_"s, "xNPC_\0\0\0\0\0\0\0\0\0\0\0\0NAME"s,
          "xNPC_\0\0\0\0\0\0\0\0\0\0\0\0NAME\x07\0\0\0playe"s}) {
        SCOPED_TRACE(save.size());
        EXPECT_EQ(Run_Bytes(save), no_player);
    }
    Remove("Saves/Vorel.ess");
    EXPECT_EQ(Run_As_Is(), no_player);
    EXPECT_FALSE(Exists("Saves/Vorel.ess"));
    Remove("Saves");
    EXPECT_EQ(Run_As_Is(), no_player);
    Expect_Untouched(0);
    Expect_Untouched(1);
    EXPECT_FALSE(Exists("Vorel OXT Files/Copy Errors.txt"));
    // Both race lists were opened, and so created.
    EXPECT_EQ(Read(Male_Race_List), ""s);
    EXPECT_EQ(Read(Female_Race_List), ""s);
}

// With no data file to search, head and hair would be the error-marker mesh: the mesh set keeps
// what it holds, and the data-file lister is named.
TEST_F(ChangePlayerMeshes, WithoutADataFileListNoMeshIsChanged)
{
    const std::string no_data_files = Console_Lines(
        {"Error! 'Vorel OXT Files\\Vorel_Data_File_List.txt' is missing or lists nothing: run data-file-lister first",
         "Done!", "No Vorel player meshes have been changed"});
    Write(Male_Race_List, Race_Line("Dark Elf", "de"));
    // nullptr: the list is missing.
    for (const char* list : {static_cast<const char*>(nullptr), "", "0\r\n", "0\r\nA.esm\r\n", "-1\r\n"}) {
        SCOPED_TRACE(list == nullptr ? "missing" : list);
        if (list == nullptr)
            Remove("Vorel OXT Files/Vorel_Data_File_List.txt");
        else
            Write("Vorel OXT Files/Vorel_Data_File_List.txt", list);
        EXPECT_EQ(Run(Npc_Record("player", "P", "Dark Elf", "b_head", "b_hair", 0)), no_data_files);
    }
    Expect_Untouched(0);
    Expect_Untouched(1);
    EXPECT_FALSE(Exists("Vorel OXT Files/Copy Errors.txt"));
}
