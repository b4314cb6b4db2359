// The partner lookup in process, on lists written in the listers' formats: which line of the
// merged list matches, which set and race list the sex picks, what is copied, and the exact
// console lines and log entries.
#include "partner_monitor/partner_request.h"
#include "tests/partner_monitor/partner_game.h"
#include "tests/support/bound_user.h"
#include "tests/support/console_capture.h"
#include "toolkit/toolkit.h"

#include <sys/stat.h>

#include <string>
#include <vector>

using namespace std::string_literals;

namespace {

// head, then padding characters 'y', then tail.
std::string Padded(const std::string& head, size_t padding, const std::string& tail)
{
    std::string text = head;
    text.append(padding, 'y');
    text.append(tail);
    return text;
}

const std::string Hero_Lines = Found_Lines("Hero Man", Source_Mesh("head_hero"), Source_Mesh("hair_hero"), "Nord");

}  // namespace

class PartnerRequest : public Partner_Game {
protected:
    void SetUp() override
    {
        Partner_Game::SetUp();
        Enter();
    }
    void TearDown() override
    {
        Close_Text_Out(errors);
        Close_Text_In(male_races);
        Close_Text_In(female_races);
        Partner_Game::TearDown();
    }
    // Serves one request; the streams are opened at the first, as the monitor opens them at
    // its start. Returns the result; console and full_name hold what it gave.
    int Request(const std::string& id)
    {
        if (!open) {
            Open_Text_Out(errors, "Vorel OXT Files\\OXT Errors.txt", 0);
            Open_Text_In(male_races, Male_Race_List);
            Open_Text_In(female_races, Female_Race_List);
            open = true;
        }
        std::snprintf(full_name, sizeof full_name, "%s", "<unset>");
        Console_Capture capture;
        const int result = Handle_Partner_Request(id.c_str(), errors, male_races, female_races, full_name);
        console = capture.Text();
        return result;
    }
    std::string Log() const { return Read("Vorel OXT Files/OXT Errors.txt").value_or("<missing>"); }

    bool open = false;
    Text_Out errors = {};
    Text_In male_races = {};
    Text_In female_races = {};
    Text_Slot full_name = {};
    std::string console;
};

TEST_F(PartnerRequest, MaleNpcChangesTheThirteenMaleFilesOnly)
{
    Write_World();
    EXPECT_EQ(Request("m_hero"), 0);
    EXPECT_STREQ(full_name, "Hero Man");
    EXPECT_EQ(console, Hero_Lines + Changed_Lines(false));
    EXPECT_EQ(Set_Contents(false), Expected_Set("head_hero", "hair_hero", "nord_m_"));
    EXPECT_EQ(Set_Contents(true), Untouched_Set());
    EXPECT_EQ(Log(), "");
    EXPECT_FALSE(Exists("Vorel OXT Files/Copy Errors.txt") && !Read("Vorel OXT Files/Copy Errors.txt")->empty());
}

TEST_F(PartnerRequest, FemaleNpcTakesTheFemaleRaceListAndSet)
{
    Write_World();
    EXPECT_EQ(Request("f_lady"), 0);
    EXPECT_STREQ(full_name, Lady_Name.c_str());
    EXPECT_EQ(console,
              Found_Lines(Lady_Name, Source_Mesh("head_lady"), Source_Mesh("hair_lady"), "Nord") + Changed_Lines(true));
    EXPECT_EQ(Set_Contents(true), Expected_Set("head_lady", "hair_lady", "nord_f_"));
    EXPECT_EQ(Set_Contents(false), Untouched_Set());
}

TEST_F(PartnerRequest, OnlyASexFieldBeginningWithZeroIsMale)
{
    struct Case {
        std::string sex;
        bool female;
    };
    const std::vector<Case> cases = {{"0", false}, {"00", false}, {"0x", false}, {"1", true},
                                     {"", true},   {"2", true},   {" 0", true},  {"10", true}};
    Write_World();
    for (const Case& c : cases) {
        SCOPED_TRACE("sex field '" + c.sex + "'");
        for (bool female : {false, true})
            for (int slot = 0; slot < 13; ++slot) Write(Set_Path(female, slot), "old");
        Write("Vorel_NPC_List.txt",
              NPC_Line("n", Source_Mesh("head_hero"), Source_Mesh("hair_hero"), "Nord", c.sex, "N"));
        EXPECT_EQ(Request("n"), 0);
        EXPECT_EQ(console, Found_Lines("N", Source_Mesh("head_hero"), Source_Mesh("hair_hero"), "Nord") +
                               Changed_Lines(c.female));
        EXPECT_EQ(Set_Contents(c.female), Expected_Set("head_hero", "hair_hero", c.female ? "nord_f_" : "nord_m_"));
        EXPECT_EQ(Set_Contents(!c.female), Untouched_Set());
    }
}

TEST_F(PartnerRequest, UnknownIdIsReportedLoggedAndCopiesNothing)
{
    Write_World();
    EXPECT_EQ(Request("nobody"), -1);
    EXPECT_STREQ(full_name, "<unset>");
    EXPECT_EQ(console, NPC_Missing_Lines("nobody"));
    EXPECT_EQ(Log(), NPC_Missing_Entry("nobody"));
    EXPECT_EQ(Set_Contents(false), Untouched_Set());
    EXPECT_EQ(Set_Contents(true), Untouched_Set());
    EXPECT_EQ(Request("again"), -1);
    EXPECT_EQ(Log(), NPC_Missing_Entry("nobody") + NPC_Missing_Entry("again"));
}

// Each case is a merged list and a sought ID; the name is that of the line that must match,
// or empty when none may.
TEST_F(PartnerRequest, LineSearchMatchesTheWholeIdExactlyAndTheFirstLineWins)
{
    struct Case {
        const char* what;
        std::vector<std::pair<std::string, std::string>> lines;  // ID and name; "" makes an empty line
        std::string sought;
        std::string name;
    };
    const std::vector<Case> cases = {
        {"first line wins", {{"a", "First"}, {"a", "Second"}}, "a", "First"},
        {"letter case counts", {{"abc", "Lower"}}, "Abc", ""},
        {"other case, then exact", {{"ABC", "Upper"}, {"Abc", "Exact"}}, "Abc", "Exact"},
        {"sought ID is a prefix", {{"abcd", "Longer"}, {"abc", "Exact"}}, "abc", "Exact"},
        {"line ID is a prefix", {{"ab", "Shorter"}, {"abc", "Exact"}}, "abc", "Exact"},
        {"same first letter", {{"ax", "Other"}, {"ay", "Other"}, {"az", "Found"}}, "az", "Found"},
        {"ID beginning with D", {{"Dx", "Other"}, {"Data", "Other"}, {"Dz", "Found"}}, "Dz", "Found"},
        {"last line", {{"p", "P"}, {"q", "Q"}, {"r", "R"}}, "r", "R"},
        {"empty line ends the search", {{"p", "P"}, {"", ""}, {"q", "Q"}}, "q", ""},
        {"empty list", {}, "q", ""},
        {"empty ID matches nothing", {{"p", "P"}}, "", ""},
    };
    Write_World();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string list;
        for (const auto& [id, name] : c.lines)
            list += id.empty() ? "\r\n"s
                               : NPC_Line(id, Source_Mesh("head_hero"), Source_Mesh("hair_hero"), "Nord", "0", name);
        Write("Vorel_NPC_List.txt", list);
        if (c.name.empty()) {
            EXPECT_EQ(Request(c.sought), -1);
            EXPECT_EQ(console, NPC_Missing_Lines(c.sought, c.lines.empty()));
        } else {
            EXPECT_EQ(Request(c.sought), 0);
            EXPECT_STREQ(full_name, c.name.c_str());
        }
    }
}

TEST_F(PartnerRequest, MissingMergedListIsCreatedEmptyAndNothingIsFoundAndItsListerIsNamed)
{
    Write_World();
    Remove("Vorel_NPC_List.txt");
    EXPECT_EQ(Request("m_hero"), -1);
    EXPECT_EQ(console, NPC_Missing_Lines("m_hero", true));
    EXPECT_EQ(Read("Vorel_NPC_List.txt"), ""s);
    EXPECT_EQ(Log(), NPC_Missing_Entry("m_hero"));
}

TEST_F(PartnerRequest, MissingRaceChangesHeadAndHairOnlyAndIsLogged)
{
    Write_World();
    EXPECT_EQ(Request("m_cat"), 0);
    EXPECT_STREQ(full_name, "Lost Cat");
    EXPECT_EQ(console, Found_Lines("Lost Cat", Source_Mesh("head_cat"), Source_Mesh("hair_cat"), "Khajiit") +
                           Race_Missing_Lines("Khajiit", false));
    EXPECT_EQ(Log(), Race_Missing_Entry("Khajiit", "Lost Cat", "m_cat"));
    EXPECT_EQ(Set_Contents(false), Head_And_Hair_Only("head_cat", "hair_cat"));
    EXPECT_EQ(Set_Contents(true), Untouched_Set());
}

TEST_F(PartnerRequest, RaceIsMatchedExactlyInTheListOfTheNpcsSex)
{
    Write_World();
    // "Breton" is only in the female list, "nord" differs in case, "Nor" is a prefix.
    Write("Vorel_NPC_List.txt",
          NPC_Line("b", Source_Mesh("head_hero"), Source_Mesh("hair_hero"), "Breton", "0", "B") +
              NPC_Line("c", Source_Mesh("head_hero"), Source_Mesh("hair_hero"), "nord", "0", "C") +
              NPC_Line("d", Source_Mesh("head_hero"), Source_Mesh("hair_hero"), "Nor", "0", "D"));
    for (const auto& [id, race] : {std::pair{"b"s, "Breton"s}, {"c"s, "nord"s}, {"d"s, "Nor"s}}) {
        SCOPED_TRACE(race);
        EXPECT_EQ(Request(id), 0);
        EXPECT_EQ(console, Found_Lines(full_name, Source_Mesh("head_hero"), Source_Mesh("hair_hero"), race) +
                               Race_Missing_Lines(race, false));
    }
    EXPECT_EQ(Set_Contents(false), Head_And_Hair_Only("head_hero", "hair_hero"));
}

TEST_F(PartnerRequest, EveryRaceSearchStartsAtTheFirstLine)
{
    Write_World();
    // Nord is the last male line, Redguard the first: each search must begin at the top.
    Write("Vorel_NPC_List.txt",
          NPC_Line("cat", Source_Mesh("head_cat"), Source_Mesh("hair_cat"), "Khajiit", "0", "Cat") +
              NPC_Line("nord", Source_Mesh("head_hero"), Source_Mesh("hair_hero"), "Nord", "0", "Nord") +
              NPC_Line("red", Source_Mesh("head_cat"), Source_Mesh("hair_cat"), "Redguard", "0", "Red"));
    EXPECT_EQ(Request("cat"), 0);
    EXPECT_EQ(Request("nord"), 0);
    EXPECT_EQ(console,
              Found_Lines("Nord", Source_Mesh("head_hero"), Source_Mesh("hair_hero"), "Nord") + Changed_Lines(false));
    EXPECT_EQ(Set_Contents(false), Expected_Set("head_hero", "hair_hero", "nord_m_"));
    EXPECT_EQ(Request("red"), 0);
    EXPECT_EQ(Set_Contents(false), Expected_Set("head_cat", "hair_cat", "redguard_m_"));
    EXPECT_EQ(Request("nord"), 0);
    EXPECT_EQ(Set_Contents(false), Expected_Set("head_hero", "hair_hero", "nord_m_"));
    EXPECT_EQ(Log(), Race_Missing_Entry("Khajiit", "Cat", "cat"));
}

TEST_F(PartnerRequest, EmptyRaceFieldCountsAsMissingAndPutsNoMarkerOverTheBody)
{
    Write_World();
    Write("Vorel_NPC_List.txt", NPC_Line("e", Source_Mesh("head_hero"), Source_Mesh("hair_hero"), "", "1", "Empty"));
    EXPECT_EQ(Request("e"), 0);
    EXPECT_EQ(console, Found_Lines("Empty", Source_Mesh("head_hero"), Source_Mesh("hair_hero"), "") +
                           Race_Missing_Lines("", true));
    EXPECT_EQ(Log(), Race_Missing_Entry("", "Empty", "e"));
    EXPECT_EQ(Set_Contents(true), Head_And_Hair_Only("head_hero", "hair_hero"));
}

// A race list that a full disk cut off inside the first field of its last line: that field
// begins no line, so a race that it happens to spell is not found and the body is left alone.
// The same race on a whole line before it is still found.
TEST_F(PartnerRequest, RaceNameCutOffByTheEndOfTheListBeginsNoLine)
{
    Write_World();
    Write("Vorel_FRace_List.txt", Race_Line("Dunmer", "nord_f_") + "Nord");
    EXPECT_EQ(Request("f_lady"), 0);
    EXPECT_EQ(console, Found_Lines(Lady_Name, Source_Mesh("head_lady"), Source_Mesh("hair_lady"), "Nord") +
                           Race_Missing_Lines("Nord", true));
    EXPECT_EQ(Log(), Race_Missing_Entry("Nord", Lady_Name, "f_lady"));
    EXPECT_EQ(Set_Contents(true), Head_And_Hair_Only("head_lady", "hair_lady"));
    Write("Vorel_FRace_List.txt", Race_Line("Nord", "nord_f_") + "Nord");
    EXPECT_EQ(Request("f_lady"), 0);
    EXPECT_EQ(Set_Contents(true), Expected_Set("head_lady", "hair_lady", "nord_f_"));
}

TEST_F(PartnerRequest, MissingSourcesGetTheErrorMarkerAndTheOtherCopiesGoOn)
{
    Write_World();
    Remove("Data Files/Meshes/src/head_hero.nif");
    Remove("Data Files/Meshes/src/nord_m_Knee.nif");
    EXPECT_EQ(Request("m_hero"), 0);
    const std::string head = Source_Mesh("head_hero");
    const std::string knee = Source_Mesh("nord_m_Knee");
    const auto block = [](const std::string& source) {
        return "Error! Could not find file: " + source +
               "\nCopying default file instead\nSee 'Vorel OXT Files\\Copy Errors.txt' for details\n\n";
    };
    EXPECT_EQ(console, Hero_Lines + block(head) + block(knee) + Changed_Lines(false));
    std::vector<std::string> expected = Expected_Set("marker", "hair_hero", "nord_m_");
    expected[0] = "marker";
    expected[11] = "marker";
    EXPECT_EQ(Set_Contents(false), expected);
    EXPECT_EQ(Read("Vorel OXT Files/Copy Errors.txt"),
              "Could not find file: " + head +
                  "\r\nTo replace file: Data Files\\Meshes\\Vorel\\Vorel_Male1_Head0.NIF\r\n\r\n" +
                  "Could not find file: " + knee +
                  "\r\nTo replace file: Data Files\\Meshes\\Vorel\\Vorel_Male1_Knee0.NIF\r\n\r\n");
    EXPECT_EQ(Log(), "");
}

TEST_F(PartnerRequest, MissingRaceListsReadAsEmptyAndTheirListerIsNamed)
{
    Write_World();
    Remove("Vorel_MRace_List.txt");
    EXPECT_EQ(Request("m_hero"), 0);
    EXPECT_EQ(console, Hero_Lines + Race_Missing_Lines("Nord", false, true));
    EXPECT_EQ(Read("Vorel_MRace_List.txt"), ""s);
}

// A line longer than the skip buffer is passed over whole, so that its tail is never taken
// for a line of its own, and a line of any length ends the search.
TEST_F(PartnerRequest, LongMergedListLinesAreSkippedWhole)
{
    Write_World();
    const std::string fake = NPC_Line("m_hero", Source_Mesh("head_cat"), Source_Mesh("hair_cat"), "Nord", "0", "Fake");
    const std::string real =
        NPC_Line("m_hero", Source_Mesh("head_hero"), Source_Mesh("hair_hero"), "Nord", "0", "Real");
    for (size_t padding : {497u, 498u, 499u, 500u, 997u, 998u, 5000u}) {
        SCOPED_TRACE(padding);
        // A line whose first letter differs, and one that begins like the sought ID.
        Write("Vorel_NPC_List.txt", Padded("x", padding, fake + real));
        EXPECT_EQ(Request("m_hero"), 0);
        EXPECT_STREQ(full_name, "Real");
        Write("Vorel_NPC_List.txt", Padded("m_her<", padding, fake + real));
        EXPECT_EQ(Request("m_hero"), 0);
        EXPECT_STREQ(full_name, "Real");
    }
    Write("Vorel_NPC_List.txt", std::string(100000, 'z'));
    EXPECT_EQ(Request("m_hero"), -1);
}

TEST_F(PartnerRequest, LongRaceListRestsAreSkippedWhole)
{
    Write_World();
    for (size_t padding : {1497u, 1498u, 1499u, 1500u, 2998u, 20000u}) {
        SCOPED_TRACE(padding);
        Write("Vorel_MRace_List.txt",
              Padded("Other*", padding, Race_Line("Nord", "redguard_m_") + Race_Line("Nord", "nord_m_")));
        EXPECT_EQ(Request("m_hero"), 0);
        EXPECT_EQ(Set_Contents(false), Expected_Set("head_hero", "hair_hero", "nord_m_"));
    }
    Write("Vorel_MRace_List.txt", std::string(100000, '*'));
    EXPECT_EQ(Request("m_hero"), 0);
    EXPECT_EQ(console, Hero_Lines + Race_Missing_Lines("Nord", false));
}

TEST_F(PartnerRequest, ListsWrittenAnewDuringTheRunAreReadAtTheNextRequest)
{
    Write_World();
    EXPECT_EQ(Request("m_hero"), 0);
    EXPECT_EQ(Set_Contents(false), Expected_Set("head_hero", "hair_hero", "nord_m_"));
    // The race lister run again: Nord now has other meshes; the mesh lister run again too.
    Write("Vorel_MRace_List.txt", Race_Line("Nord", "redguard_m_"));
    Write("Vorel_NPC_List.txt",
          NPC_Line("m_hero", Source_Mesh("head_cat"), Source_Mesh("hair_cat"), "Nord", "0", "New"));
    EXPECT_EQ(Request("m_hero"), 0);
    EXPECT_STREQ(full_name, "New");
    EXPECT_EQ(Set_Contents(false), Expected_Set("head_cat", "hair_cat", "redguard_m_"));
}

// Mesh-set files that cannot be written are said and logged at every request, and the closing
// line never claims a change that did not happen.
TEST_F(PartnerRequest, MeshSetFilesThatCannotBeWrittenAreNotClaimedChanged)
{
    Write_World();
    As_Bound_User bound(root);
    std::string blocks;
    for (int slot = 0; slot < Mesh_Set_Size; ++slot) {
        Make_Read_Only(Path(Set_Path(false, slot)));
        std::string target = Set_Path(false, slot);
        for (char& c : target)
            if (c == '/') c = '\\';
        blocks += "Error! Could not write file: " + target + "\nSee 'Vorel OXT Files\\Copy Errors.txt' for details\n\n";
    }
    for (int request = 0; request < 2; ++request) {
        EXPECT_EQ(Request("m_hero"), 0);
        EXPECT_EQ(console, Hero_Lines + blocks + "Could not change Vorel male mesh set to this mesh\n\n");
    }
    EXPECT_EQ(Set_Contents(false), Untouched_Set());
    chmod(Path(Set_Path(false, 0)).c_str(), 0644);
    EXPECT_EQ(Request("m_hero"), 0);
    EXPECT_EQ(console.substr(console.rfind("See")), "See 'Vorel OXT Files\\Copy Errors.txt' for details\n\n"
                                                    "Could not wholly change Vorel male mesh set to this mesh\n\n");
    EXPECT_EQ(Set_Contents(false)[0], "head_hero");
}
