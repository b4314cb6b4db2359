// The partner-monitor program run in a game folder beside the game side's stand-in, as the
// user runs it: a whole exchange from a start before the partner file exists, and a start
// without the "Data Files\MWSE" folder. The program never ends; the tests end it.
#include "tests/partner_monitor/game_side.h"
#include "tests/partner_monitor/partner_game.h"
#include "tests/support/program_harness.h"
#include "tools/tes3/tes3_builder.h"

#include <chrono>
#include <string>
#include <thread>
#include <vector>

using namespace std::string_literals;

class PartnerMonitorProgram : public Partner_Game {
protected:
    void TearDown() override
    {
        Stop_Program(process);
        Partner_Game::TearDown();
    }
    // Polls every 20 ms until ready() holds; false on time-out.
    template <typename Ready>
    bool Wait_Until(Ready ready) const
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(Program_Timeout());
        while (!ready()) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return true;
    }
    // Writes a request and waits for its answer; returns the name file's bytes.
    std::string Ask(char marker, const std::string& id)
    {
        Game_Side_Request(root, marker, id);
        EXPECT_TRUE(Game_Side_Wait_For_Answered(root, Program_Timeout())) << "no answer to " << id;
        return Read("Data Files/MWSE/Vorel_Partner_Name.bin").value_or("<missing>");
    }

    Program_Process process;
};

TEST_F(PartnerMonitorProgram, AnswersTheGameSideThroughAWholeExchange)
{
    Write_World();
    Write("Data Files/MWSE/Vorel_Partner_Name.bin", "Your current lover is Someone Else\0"s);
    Write("Vorel OXT Files/OXT Errors.txt", "Could not find NPC ID: old\r\n\r\n");
    ASSERT_TRUE(Start_Program(process, "partner-monitor", root));
    ASSERT_TRUE(Wait_For_Console(process, "Monitoring Morrowind...\n", Program_Timeout()));
    // Started before the game side ever wrote: the partner file is made empty, the name
    // file and the log are emptied.
    ASSERT_TRUE(Wait_Until([&] {
        return Read("Data Files/MWSE/Vorel_Partner.bin") == ""s &&
               Read("Data Files/MWSE/Vorel_Partner_Name.bin") == ""s && Read("Vorel OXT Files/OXT Errors.txt") == ""s;
    }));

    const std::string hero = "Your current lover is Hero Man\0"s;
    const std::string lady = "Your current lover is " + Lady_Name + "\0"s;
    const std::string unknown = "AN ERROR OCCURRED CHANGING YOUR LOVER - CHOOSE A DIFFERENT NPC\0"s;
    const std::string cat = "Your current lover is Lost Cat\0"s;
    // "^" with the ID: the monitor turns it into a request for that ID.
    EXPECT_EQ(Ask('^', "m_hero"), hero);
    EXPECT_EQ(Set_Contents(false), Expected_Set("head_hero", "hair_hero", "nord_m_"));
    EXPECT_EQ(Ask('>', "f_lady"), Overwritten(hero, lady));
    EXPECT_EQ(Set_Contents(true), Expected_Set("head_lady", "hair_lady", "nord_f_"));
    // A shorter answer leaves the rest of the longer one behind its NUL.
    EXPECT_EQ(Ask('>', "nobody"), Overwritten(lady, unknown));
    // Asked again at once, well within a pass: the request is not lost under the last "<".
    EXPECT_EQ(Ask('>', "m_cat"), Overwritten(Overwritten(lady, unknown), cat));
    std::vector<std::string> male = Expected_Set("head_cat", "hair_cat", "nord_m_");
    EXPECT_EQ(Set_Contents(false), male);
    EXPECT_EQ(Read("Data Files/MWSE/Vorel_Partner.bin"), "<xm_cat123456789"s);

    const std::string expected = "Monitoring Morrowind...\n"
                                 "Program initialised...\n\n" +
                                 Monitoring_Lines + Searching_Lines("m_hero") +
                                 Found_Lines("Hero Man", Source_Mesh("head_hero"), Source_Mesh("hair_hero"), "Nord") +
                                 Changed_Lines(false) + Monitoring_Lines + Searching_Lines("f_lady") +
                                 Found_Lines(Lady_Name, Source_Mesh("head_lady"), Source_Mesh("hair_lady"), "Nord") +
                                 Changed_Lines(true) + Monitoring_Lines + Searching_Lines("nobody") +
                                 NPC_Missing_Lines("nobody") + Monitoring_Lines + Searching_Lines("m_cat") +
                                 Found_Lines("Lost Cat", Source_Mesh("head_cat"), Source_Mesh("hair_cat"), "Khajiit") +
                                 Race_Missing_Lines("Khajiit", false) + Monitoring_Lines;
    EXPECT_TRUE(Wait_For_Console(process, expected, Program_Timeout()));
    EXPECT_EQ(process.console, expected);
    EXPECT_EQ(Read("Vorel OXT Files/OXT Errors.txt"),
              NPC_Missing_Entry("nobody") + Race_Missing_Entry("Khajiit", "Lost Cat", "m_cat"));
}

namespace {

// The world's NPCs as a request for each of them shows on the console.
struct World_NPC {
    const char* id;
    const char* name;
    const char* race;
    bool female;
};
const World_NPC Hero = {"m_hero", "Hero Man", "Nord", false};
const World_NPC Lady = {"f_lady", "Lady Aldara of the Very Long Name from Ebonheart", "Nord", true};
const World_NPC Cat = {"m_cat", "Lost Cat", "Khajiit", false};

// Head and hair source of a world NPC: "head_hero" for "m_hero".
std::string World_Mesh(const char* part, const World_NPC& npc) { return part + std::string(npc.id).substr(1); }

std::string Served_Lines(const World_NPC& npc)
{
    const std::string race = npc.race;
    const std::string result = race == "Nord" ? Changed_Lines(npc.female) : Race_Missing_Lines(race, npc.female);
    return Searching_Lines(npc.id) +
           Found_Lines(npc.name, Source_Mesh(World_Mesh("head", npc)), Source_Mesh(World_Mesh("hair", npc)), race) +
           result + Monitoring_Lines;
}

// A request replaced by another some ms after the monitor announced it.
struct Replaced_Request {
    int delay_ms;
    const World_NPC* first;
    const World_NPC* second;
};

}  // namespace

// The game side may write its next request while the monitor still serves the one before, a
// few ms after "Searching for NPC ID": byte 0 must not become "<" until the answer to that
// newer request is in the name file, and the newer request is served on the next pass. The
// delays straddle the time a request takes to serve, natively and under Wine.
TEST_F(PartnerMonitorProgram, RequestWrittenWhileAnotherIsServedIsServedNext)
{
    Write_World();
    Write("Vorel_NPC_List.txt", Filler_NPC_Lines(Large_Game_NPCs) + Read("Vorel_NPC_List.txt").value_or(""));
    ASSERT_EQ(Lady.name, Lady_Name);
    // The first delays fall within the serving of the request before; the last outlast it.
    const std::vector<Replaced_Request> rounds =
        Running_Under_Wine() ? std::vector<Replaced_Request>{{30, &Hero, &Lady}, {30, &Lady, &Cat},  {0, &Cat, &Hero},
                                                             {10, &Hero, &Lady}, {60, &Lady, &Hero}, {300, &Hero, &Cat}}
                             : std::vector<Replaced_Request>{{2, &Hero, &Lady}, {2, &Lady, &Cat},   {0, &Cat, &Hero},
                                                             {5, &Hero, &Lady}, {30, &Lady, &Hero}, {300, &Hero, &Cat}};
    ASSERT_TRUE(Start_Program(process, "partner-monitor", root));
    std::string console = "Monitoring Morrowind...\n";
    ASSERT_TRUE(Wait_For_Console(process, console, Program_Timeout()));
    for (const Replaced_Request& round : rounds) {
        SCOPED_TRACE(std::string(round.first->id) + " replaced by " + round.second->id + " after " +
                     std::to_string(round.delay_ms) + " ms");
        Game_Side_Request(root, '>', round.first->id);
        ASSERT_TRUE(Wait_For_Console(process, console + Searching_Lines(round.first->id), Program_Timeout()));
        std::this_thread::sleep_for(std::chrono::milliseconds(round.delay_ms));
        Game_Side_Request(root, '>', round.second->id);
        ASSERT_TRUE(Game_Side_Wait_For_Answered(root, Program_Timeout()));
        // What the game reads as soon as it sees "<".
        ASSERT_EQ(Game_Side_Answer(root), "Your current lover is " + std::string(round.second->name));
        console += Served_Lines(*round.first) + Served_Lines(*round.second);
        ASSERT_TRUE(Wait_For_Console(process, console, Program_Timeout())) << process.console;
        EXPECT_EQ(process.console, console);
        const std::vector<std::string> set = Set_Contents(round.second->female);
        EXPECT_EQ(set[0], World_Mesh("head", *round.second));
        EXPECT_EQ(set[1], World_Mesh("hair", *round.second));
    }
    EXPECT_EQ(Read("Data Files/MWSE/Vorel_Partner.bin"), "<x" + std::string(rounds.back().second->id) + "123456789");
}

// The game side may save the partner file in place, as a new file renamed over the old, or by
// deleting it first; the partner name file may be deleted; the race lister may rename a new
// race list over the old while the monitor runs. Every request is served as from a file
// written in place, natively and under Wine.
TEST_F(PartnerMonitorProgram, FilesReplacedOrDeletedWhileItRunsAreServed)
{
    Write_World();
    ASSERT_TRUE(Start_Program(process, "partner-monitor", root));
    ASSERT_TRUE(Wait_For_Console(process, "Monitoring Morrowind...\n", Program_Timeout()));
    ASSERT_TRUE(Wait_Until([&] { return Exists("Data Files/MWSE/Vorel_Partner.bin"); }));
    const std::string hero = "Your current lover is Hero Man\0"s;
    const std::string cat = "Your current lover is Lost Cat\0"s;
    std::string console = "Monitoring Morrowind...\n";
    const auto ask = [&](Game_Side_Save save, const char* id) {
        Game_Side_Request_Saved(root, save, '>', id);
        EXPECT_TRUE(Game_Side_Wait_For_Answered(root, Program_Timeout())) << "no answer to " << id;
        return Read("Data Files/MWSE/Vorel_Partner_Name.bin").value_or("<missing>");
    };
    for (const Game_Side_Save save :
         {Game_Side_Save::Renamed_Over, Game_Side_Save::Deleted_First, Game_Side_Save::In_Place}) {
        SCOPED_TRACE(static_cast<int>(save));
        EXPECT_EQ(ask(save, "m_hero"), Overwritten(cat, hero));
        EXPECT_EQ(ask(save, "m_cat"), Overwritten(hero, cat));
        EXPECT_EQ(Read("Data Files/MWSE/Vorel_Partner.bin"), "<xm_cat123456789"s);
        console += Searching_Lines("m_hero") +
                   Found_Lines("Hero Man", Source_Mesh("head_hero"), Source_Mesh("hair_hero"), "Nord") +
                   Changed_Lines(false) + Monitoring_Lines + Searching_Lines("m_cat") +
                   Found_Lines("Lost Cat", Source_Mesh("head_cat"), Source_Mesh("hair_cat"), "Khajiit") +
                   Race_Missing_Lines("Khajiit", false) + Monitoring_Lines;
    }
    Remove("Data Files/MWSE/Vorel_Partner_Name.bin");
    Game_Side_Rename_Over(Path("Vorel_MRace_List.txt"), Race_Line("Nord", "redguard_m_"));
    EXPECT_EQ(ask(Game_Side_Save::In_Place, "m_hero"), hero);
    EXPECT_EQ(Set_Contents(false), Expected_Set("head_hero", "hair_hero", "redguard_m_"));
    console += Searching_Lines("m_hero") +
               Found_Lines("Hero Man", Source_Mesh("head_hero"), Source_Mesh("hair_hero"), "Nord") +
               Changed_Lines(false) + Monitoring_Lines;
    EXPECT_TRUE(Wait_For_Console(process, console, Program_Timeout()));
    EXPECT_EQ(process.console, console);
}

// A game side built like the monitor (under Wine, a Windows program beside it) deletes the
// name file and replaces the partner file, by rename or by deleting it first, while the
// monitor holds both open; the monitor answers in a name file of its own making.
TEST_F(PartnerMonitorProgram, GameSideOfItsOwnSystemMayDeleteAndReplaceTheFilesItHolds)
{
    Write_World();
    ASSERT_TRUE(Start_Program(process, "partner-monitor", root));
    ASSERT_TRUE(Wait_For_Console(process, "Monitoring Morrowind...\n", Program_Timeout()));
    EXPECT_EQ(Ask('>', "m_hero"), "Your current lover is Hero Man\0"s);
    struct Case {
        const char* save;
        const char* id;
        std::string said;
        std::string answer;
    };
    const Case cases[] = {
        {"rename", "m_cat",
         "Done: delete the name file\nDone: write the new partner file\nDone: rename it over the partner file\nDone!\n",
         "Your current lover is Lost Cat\0"s},
        {"delete", "f_lady",
         "Done: delete the name file\nDone: delete the partner file\nDone: write the partner file again\nDone!\n",
         "Your current lover is " + Lady_Name + "\0"s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.save);
        Write("probe_request.bin", ">x" + std::string(c.id) + "123456789");
        Write("probe_save.txt", c.save);
        EXPECT_EQ(Run_Program("game-side-probe", root, "Done!"), c.said);
        EXPECT_TRUE(Game_Side_Wait_For_Answered(root, Program_Timeout())) << "no answer to " << c.id;
        EXPECT_EQ(Read("Data Files/MWSE/Vorel_Partner_Name.bin"), c.answer);
    }
    EXPECT_EQ(Set_Contents(true), Expected_Set("head_lady", "hair_lady", "nord_f_"));
    // The cat's race is in no list: its head and hair over the hero's body.
    EXPECT_EQ(Set_Contents(false), Expected_Set("head_cat", "hair_cat", "nord_m_"));
}

TEST_F(PartnerMonitorProgram, WithoutTheMwseFolderSaysSoEveryPass)
{
    Write_World();
    Remove("Data Files/MWSE");
    const std::string unable = "Unable to open file\n";
    ASSERT_TRUE(Start_Program(process, "partner-monitor", root));
    EXPECT_TRUE(Wait_For_Console(process, unable + unable + unable, Program_Timeout()));
    std::string lines = process.console.substr(0, process.console.rfind('\n') + 1);
    std::string expected =
        "Monitoring Morrowind...\nError! Could not write file: Data Files\\MWSE\\Vorel_Partner_Name.bin\n";
    while (expected.size() < lines.size()) expected += unable;
    EXPECT_EQ(lines, expected);
    EXPECT_FALSE(Exists("Data Files/MWSE"));
    EXPECT_EQ(Set_Contents(false), Untouched_Set());
}

// The race lister writes its lists beside them and then puts them in their place while the
// monitor runs: the monitor's next request reads the new list.
TEST_F(PartnerMonitorProgram, RaceListsThatTheRaceListerWritesWhileItRunsAreReadAtTheNextRequest)
{
    Write_World();
    std::string bodies;
    for (int part = 0; part < 11; ++part)
        bodies +=
            tes3::Body_Record("breton_part_" + std::to_string(part),
                              "src\\breton_f_" + std::string(Body_Part_Words[part]) + ".nif", "Nord", part + 2, 1);
    Write("Data Files/Lister.esp", tes3::Header_Record(nullptr, 0) + bodies);
    Write_Data_File_List({"Lister.esp"});
    ASSERT_TRUE(Start_Program(process, "partner-monitor", root));
    ASSERT_TRUE(Wait_For_Console(process, "Monitoring Morrowind...\n", Program_Timeout()));
    const std::string lady = "Your current lover is " + Lady_Name + "\0"s;
    EXPECT_EQ(Ask('>', "f_lady"), lady);
    EXPECT_EQ(Set_Contents(true), Expected_Set("head_lady", "hair_lady", "nord_f_"));

    Run_To_Closing_Line("race-lister", root);
    EXPECT_EQ(Read("Vorel_FRace_List.txt"), Race_Line("Nord", "breton_f_"));
    EXPECT_EQ(Ask('>', "f_lady"), lady);
    EXPECT_EQ(Set_Contents(true), Expected_Set("head_lady", "hair_lady", "breton_f_"));
}
