// The monitor's start-up and single passes in process, with the game side's stand-in writing
// the partner file between passes and while a request is served: the markers, the ID's bytes,
// the answers in the name file, and a loop that no content of the partner file can stop.
#include "partner_monitor/partner_monitor.h"
#include "tests/partner_monitor/game_side.h"
#include "tests/partner_monitor/partner_game.h"
#include "tests/support/console_capture.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

using namespace std::string_literals;

namespace {

const std::string Initialised = "Program initialised...\n\n" + Monitoring_Lines;
const std::string Not_Found_Answer = "AN ERROR OCCURRED CHANGING YOUR LOVER - CHOOSE A DIFFERENT NPC";
const std::string Unwritten_Name_File = "Error! Could not write file: Data Files\\MWSE\\Vorel_Partner_Name.bin\n";

// The console of a served request whose ID is in no line.
std::string Unknown_Request(const std::string& id)
{
    return Searching_Lines(id) + NPC_Missing_Lines(id) + Monitoring_Lines;
}

std::string Hero_Request()
{
    return Searching_Lines("m_hero") +
           Found_Lines("Hero Man", Source_Mesh("head_hero"), Source_Mesh("hair_hero"), "Nord") + Changed_Lines(false) +
           Monitoring_Lines;
}

std::string Lady_Request()
{
    return Searching_Lines("f_lady") +
           Found_Lines(Lady_Name, Source_Mesh("head_lady"), Source_Mesh("hair_lady"), "Nord") + Changed_Lines(true) +
           Monitoring_Lines;
}

// Opens the writing end of the pipe at path once a reader has opened it; -1 on time-out.
int Open_Pipe_When_Read(const std::string& path)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    int pipe = -1;
    while ((pipe = open(path.c_str(), O_WRONLY | O_NONBLOCK)) < 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (pipe >= 0) fcntl(pipe, F_SETFL, 0);
    return pipe;
}

}  // namespace

class MonitorPass : public Partner_Game {
protected:
    void SetUp() override
    {
        Partner_Game::SetUp();
        Enter();
        Write_World();
    }
    void TearDown() override
    {
        if (started) {
            Stop_Partner_Monitor(streams);
        }
        Partner_Game::TearDown();
    }
    std::string Start()
    {
        Console_Capture capture;
        Start_Partner_Monitor(streams);
        started = true;
        return capture.Text();
    }
    std::string Pass()
    {
        Console_Capture capture;
        Run_Monitor_Pass(streams);
        return capture.Text();
    }
    // One pass during which the game side writes replacement into the partner file after the
    // monitor has read the request there. The merged NPC list, which the monitor opens only
    // after that read, is a pipe for this pass: the stand-in writes the partner file once the
    // monitor has opened the list, and only then hands over the list's lines.
    std::string Pass_Replaced_By(const std::string& replacement)
    {
        const std::string lines = Read("Vorel_NPC_List.txt").value_or("");
        Remove("Vorel_NPC_List.txt");
        EXPECT_EQ(mkfifo(Path("Vorel_NPC_List.txt").c_str(), 0644), 0);
        std::atomic<bool> replaced = false;
        std::thread game_side([&] {
            const int list = Open_Pipe_When_Read(Path("Vorel_NPC_List.txt"));
            if (list < 0) return;
            Game_Side_Write(root, replacement);
            replaced = true;
            replaced = write(list, lines.data(), lines.size()) == static_cast<ssize_t>(lines.size());
            close(list);
        });
        const std::string console = Pass();
        game_side.join();
        EXPECT_TRUE(replaced) << "the monitor never read the merged NPC list";
        Remove("Vorel_NPC_List.txt");
        Write("Vorel_NPC_List.txt", lines);
        return console;
    }
    std::string Partner() const { return Read("Data Files/MWSE/Vorel_Partner.bin").value_or("<missing>"); }
    std::string Name_File() const { return Read("Data Files/MWSE/Vorel_Partner_Name.bin").value_or("<missing>"); }
    std::string Log() const { return Read("Vorel OXT Files/OXT Errors.txt").value_or("<missing>"); }

    Monitor_Streams streams = {};
    bool started = false;
};

TEST_F(MonitorPass, StartUpEmptiesTheNameFileAndTheLogAndKeepsThePartnerFile)
{
    const std::string request = ">xm_hero123456789";
    Write("Data Files/MWSE/Vorel_Partner.bin", request);
    Write("Data Files/MWSE/Vorel_Partner_Name.bin", "Your current lover is Someone\0"s);
    Write("Vorel OXT Files/OXT Errors.txt", "Could not find NPC ID: x\r\n\r\n");
    Remove("Vorel_FRace_List.txt");
    EXPECT_EQ(Start(), "Monitoring Morrowind...\n");
    EXPECT_EQ(Partner(), request);
    EXPECT_EQ(Name_File(), "");
    EXPECT_EQ(Log(), "");
    EXPECT_EQ(Read("Vorel_FRace_List.txt"), ""s);
}

TEST_F(MonitorPass, InitialisationIsAnsweredWithARequestForTheIdInTheFile)
{
    EXPECT_EQ(Start(), "Monitoring Morrowind...\n");
    EXPECT_EQ(Partner(), "");
    EXPECT_EQ(Pass(), "");
    Game_Side_Request(root, '^', "m_hero");
    EXPECT_EQ(Pass(), Initialised);
    EXPECT_EQ(Partner(), ">xm_hero123456789");
    EXPECT_EQ(Name_File(), "");
    EXPECT_EQ(Pass(), Hero_Request());
    EXPECT_EQ(Partner(), "<xm_hero123456789");
    EXPECT_EQ(Name_File(), "Your current lover is Hero Man\0"s);
    EXPECT_EQ(Set_Contents(false), Expected_Set("head_hero", "hair_hero", "nord_m_"));
    for (int pass = 0; pass < 3; ++pass) EXPECT_EQ(Pass(), "");
    EXPECT_EQ(Partner(), "<xm_hero123456789");
}

// The game side may write its next request as soon as it has the answer: the "<" of the
// answer must already be in the file then, or it would land on the new request's ">".
TEST_F(MonitorPass, AnswerAndMarkerAreInTheFilesWhenThePassEndsSoTheNextRequestIsServed)
{
    Start();
    Game_Side_Request(root, '>', "m_hero");
    EXPECT_EQ(Pass(), Hero_Request());
    EXPECT_EQ(Game_Side_Marker(root), '<');
    EXPECT_EQ(Game_Side_Answer(root), "Your current lover is Hero Man");
    Game_Side_Request(root, '>', "f_lady");
    const std::string console = Pass();
    EXPECT_EQ(console.substr(0, console.find('\n') + 1), Searching_Lines("f_lady"));
    EXPECT_EQ(Game_Side_Marker(root), '<');
    EXPECT_EQ(Game_Side_Answer(root), "Your current lover is " + Lady_Name);
    EXPECT_EQ(Set_Contents(true), Expected_Set("head_lady", "hair_lady", "nord_f_"));
    EXPECT_EQ(Pass(), "");
}

// The game side writes the partner file while the monitor serves the request it read there.
// The answer still goes into the name file, but byte 0 becomes "<" only when the file holds
// the served request's bytes: whatever else the game side wrote stays for the next passes,
// so "<" never stands beside the answer to a request older than the last one written.
TEST_F(MonitorPass, PartnerFileWrittenWhileARequestIsServedIsLeftToTheNextPass)
{
    struct Case {
        const char* what;
        std::string written;  // what the game side writes while "m_hero" is served
        std::string left;     // the partner file when that pass ends
        std::string next;     // the console of the two passes after it
        std::string last;     // the partner file after them
    };
    const std::string served = ">xm_hero123456789";
    const std::vector<Case> cases = {
        {"the same bytes again", served, "<xm_hero123456789", "", "<xm_hero123456789"},
        {"a new request", ">xf_lady123456789", ">xf_lady123456789", Lady_Request(), "<xf_lady123456789"},
        {"a new initialisation", "^xf_lady123456789", "^xf_lady123456789", Initialised + Lady_Request(),
         "<xf_lady123456789"},
        {"the same ID, other bytes around it", ">ym_hero987654321", ">ym_hero987654321", Hero_Request(),
         "<ym_hero987654321"},
        {"the same ID, a longer file", ">xm_hero1234567890", ">xm_hero1234567890", Unknown_Request("m_hero1"),
         "<xm_hero1234567890"},
        {"an idle marker", "zxm_hero123456789", "zxm_hero123456789", "", "zxm_hero123456789"},
        {"nothing yet: the file just emptied", "", "", "", ""},
    };
    Start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Game_Side_Write(root, served);
        EXPECT_EQ(Pass_Replaced_By(c.written), Hero_Request());
        EXPECT_EQ(Partner(), c.left);
        EXPECT_EQ(Game_Side_Answer(root), "Your current lover is Hero Man");
        std::string next = Pass();
        next += Pass();
        EXPECT_EQ(next, c.next);
        EXPECT_EQ(Partner(), c.last);
    }
    EXPECT_EQ(Set_Contents(true), Expected_Set("head_lady", "hair_lady", "nord_f_"));
}

// However long the partner file, the monitor keeps only its length and as many first bytes
// as the longest request has: every byte the ID is read from. A file that differs from the
// served one only further on asks for the same ID, and the answer given is its answer.
TEST_F(MonitorPass, LongPartnerFileIsToldApartByItsLengthAndFirstBytes)
{
    const std::string served = ">x" + std::string(5000, 'q');
    const std::string unknown = Unknown_Request(std::string(99, 'q'));
    struct Case {
        const char* what;
        std::string written;
        std::string next;
    };
    std::string other_id = served;
    other_id[100] = 'r';
    std::string further_on = served;
    further_on[110] = 'r';
    const std::vector<Case> cases = {
        {"one byte shorter", served.substr(0, served.size() - 1), unknown},
        {"the ID's last byte changed", other_id, Unknown_Request(std::string(98, 'q') + "r")},
        {"a byte after the longest request changed", further_on, ""},
    };
    Start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Game_Side_Write(root, served);
        EXPECT_EQ(Pass_Replaced_By(c.written), unknown);
        EXPECT_EQ(Pass(), c.next);
        EXPECT_EQ(Partner(), Overwritten(c.written, "<"));
    }
}

TEST_F(MonitorPass, IdIsTheBytesFromOffsetTwoUpToTheLastNine)
{
    struct Case {
        std::string file;
        std::string id;
    };
    const std::string nine = "123456789";
    const std::string id99(99, 'k');
    const std::vector<Case> cases = {
        {">", ""},  // no byte at offset 2: an empty ID
        {">x", ""},
        {">xa", "a"},  // 3 to 11 bytes: the byte at offset 2
        {">xab", "a"},
        {">xabcdefghi", "a"},
        {">xab" + nine, "ab"},                // 13 bytes
        {">xabc" + nine, "abc"},              // 14 bytes
        {">x" + id99 + nine, id99},           // 110 bytes: the longest whole ID
        {">x" + id99 + "tail" + nine, id99},  // longer IDs are cut at 99 bytes
        {">x" + std::string(5000, 'q'), std::string(99, 'q')},
        {">xab\0cd"s + nine, "ab"},  // a NUL ends the ID early
        {">x\0bc"s + nine, ""},
    };
    Start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.size());
        Game_Side_Write(root, c.file);
        EXPECT_EQ(Pass(), Unknown_Request(c.id));
        EXPECT_EQ(Partner(), Overwritten(c.file, "<"));
        EXPECT_EQ(Game_Side_Answer(root), Not_Found_Answer);
    }
    EXPECT_EQ(Log().find(NPC_Missing_Entry("")), 0u);
}

TEST_F(MonitorPass, ShorterAnswerLeavesTheRestOfTheLongerOneBehindItsNul)
{
    Start();
    const std::string lady = "Your current lover is " + Lady_Name + "\0"s;
    const std::string unknown = Not_Found_Answer + "\0"s;
    const std::string cat = "Your current lover is Lost Cat\0"s;
    std::string expected;
    for (const auto& [id, answer] : {std::pair{"f_lady"s, lady}, {"nobody"s, unknown}, {"m_cat"s, cat}}) {
        SCOPED_TRACE(id);
        Game_Side_Request(root, '>', id);
        Pass();
        expected = Overwritten(expected, answer);
        EXPECT_EQ(Name_File(), expected);
    }
    EXPECT_GT(expected.size(), cat.size());
    // The cat's race is in no list: it is still found, and its name answers.
    EXPECT_EQ(Log(), NPC_Missing_Entry("nobody") + Race_Missing_Entry("Khajiit", "Lost Cat", "m_cat"));
}

TEST_F(MonitorPass, AnyOtherMarkerIsLeftAlone)
{
    Start();
    for (const std::string& file :
         {"<xm_hero123456789"s, "xxm_hero123456789"s, "\0xm_hero123456789"s, "\xFFxm_hero"s, "v>m_hero"s, " ^"s}) {
        Game_Side_Write(root, file);
        for (int pass = 0; pass < 2; ++pass) EXPECT_EQ(Pass(), "");
        EXPECT_EQ(Partner(), file);
    }
    EXPECT_EQ(Name_File(), "");
    EXPECT_EQ(Set_Contents(false), Untouched_Set());
    // The last pass read " ": byte 0 is read afresh, however short the wait.
    Game_Side_Request(root, '>', "m_hero");
    EXPECT_EQ(Pass(), Hero_Request());
}

// Many tools save a file as a new one renamed over the old, or delete the old one first: the
// monitor serves the file that the path names at each pass, however it was saved, and in place
// writes after such a save are served too.
TEST_F(MonitorPass, PartnerFileSavedAnyWayIsServed)
{
    struct Case {
        const char* what;
        Game_Side_Save save;
    };
    const Case cases[] = {{"in place", Game_Side_Save::In_Place},
                          {"renamed over", Game_Side_Save::Renamed_Over},
                          {"deleted first", Game_Side_Save::Deleted_First}};
    Start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Game_Side_Request_Saved(root, c.save, '>', "m_hero");
        EXPECT_EQ(Pass(), Hero_Request());
        EXPECT_EQ(Partner(), "<xm_hero123456789");
        Game_Side_Request_Saved(root, c.save, '^', "f_lady");
        EXPECT_EQ(Pass(), Initialised);
        EXPECT_EQ(Pass(), Lady_Request());
        EXPECT_EQ(Partner(), "<xf_lady123456789");
        Game_Side_Request(root, '>', "m_hero");
        EXPECT_EQ(Pass(), Hero_Request());
        EXPECT_EQ(Partner(), "<xm_hero123456789");
        EXPECT_EQ(Name_File(),
                  Overwritten("Your current lover is " + Lady_Name + "\0"s, "Your current lover is Hero Man\0"s));
    }
}

// A partner file deleted and not yet written again reads as a file just made: nothing to do
// until the game side writes it.
TEST_F(MonitorPass, DeletedPartnerFileIsMadeAgainAndWaitsForTheGameSide)
{
    Start();
    Remove("Data Files/MWSE/Vorel_Partner.bin");
    EXPECT_EQ(Pass(), "");
    EXPECT_EQ(Partner(), "");
    Game_Side_Request(root, '>', "m_hero");
    EXPECT_EQ(Pass(), Hero_Request());
    EXPECT_EQ(Partner(), "<xm_hero123456789");
}

// A deleted name file is made again for the next answer; one that the game side wrote anew
// is written over from its start, never emptied; one renamed over takes the next answer.
TEST_F(MonitorPass, NameFileDeletedOrWrittenAnewTakesTheNextAnswer)
{
    Start();
    Game_Side_Request(root, '>', "m_hero");
    Pass();
    Remove("Data Files/MWSE/Vorel_Partner_Name.bin");
    EXPECT_EQ(Pass(), "");
    EXPECT_FALSE(Exists("Data Files/MWSE/Vorel_Partner_Name.bin"));
    Game_Side_Request(root, '>', "m_cat");
    EXPECT_EQ(Pass(), Searching_Lines("m_cat") +
                          Found_Lines("Lost Cat", Source_Mesh("head_cat"), Source_Mesh("hair_cat"), "Khajiit") +
                          Race_Missing_Lines("Khajiit", false) + Monitoring_Lines);
    EXPECT_EQ(Name_File(), "Your current lover is Lost Cat\0"s);
    const std::string long_text = "A text of the game side that is longer than any answer the monitor gives, to stay";
    Remove("Data Files/MWSE/Vorel_Partner_Name.bin");
    Write("Data Files/MWSE/Vorel_Partner_Name.bin", long_text);
    Game_Side_Request(root, '>', "m_hero");
    EXPECT_EQ(Pass(), Hero_Request());
    EXPECT_EQ(Name_File(), Overwritten(long_text, "Your current lover is Hero Man\0"s));
    Game_Side_Rename_Over(Path("Data Files/MWSE/Vorel_Partner_Name.bin"), long_text);
    Game_Side_Request(root, '>', "f_lady");
    EXPECT_EQ(Pass(), Lady_Request());
    EXPECT_EQ(Name_File(), Overwritten(long_text, "Your current lover is " + Lady_Name + "\0"s));
}

// The race lister may write its lists anew and rename them over the old ones while the monitor
// runs: the next request reads the new list. A deleted list reads as empty.
TEST_F(MonitorPass, RaceListReplacedByRenameIsReadAtTheNextRequest)
{
    Start();
    Game_Side_Request(root, '>', "m_hero");
    EXPECT_EQ(Pass(), Hero_Request());
    EXPECT_EQ(Set_Contents(false), Expected_Set("head_hero", "hair_hero", "nord_m_"));
    Game_Side_Rename_Over(Path("Vorel_MRace_List.txt"), Race_Line("Nord", "redguard_m_"));
    Game_Side_Rename_Over(Path("Vorel_FRace_List.txt"), Race_Line("Nord", "breton_f_"));
    Game_Side_Request(root, '>', "m_hero");
    EXPECT_EQ(Pass(), Hero_Request());
    EXPECT_EQ(Set_Contents(false), Expected_Set("head_hero", "hair_hero", "redguard_m_"));
    Game_Side_Request(root, '>', "f_lady");
    EXPECT_EQ(Pass(), Lady_Request());
    EXPECT_EQ(Set_Contents(true), Expected_Set("head_lady", "hair_lady", "breton_f_"));
    Remove("Vorel_MRace_List.txt");
    Game_Side_Request(root, '>', "m_cat");
    Pass();
    Game_Side_Request(root, '>', "m_hero");
    EXPECT_EQ(Pass(), Searching_Lines("m_hero") +
                          Found_Lines("Hero Man", Source_Mesh("head_hero"), Source_Mesh("hair_hero"), "Nord") +
                          Race_Missing_Lines("Nord", false, true) + Monitoring_Lines);
}

TEST_F(MonitorPass, WithoutItsFolderThePartnerFileIsNeverOpened)
{
    Remove("Data Files/MWSE");
    EXPECT_EQ(Start(), "Monitoring Morrowind...\n" + Unwritten_Name_File);
    for (int pass = 0; pass < 3; ++pass) EXPECT_EQ(Pass(), "Unable to open file\n");
    std::filesystem::create_directories(Path("Data Files/MWSE"));
    Game_Side_Request(root, '>', "m_hero");
    EXPECT_EQ(Pass(), "Unable to open file\n");
    EXPECT_EQ(Set_Contents(false), Untouched_Set());
}

// The answers are lost, and each request that loses one says so.
TEST_F(MonitorPass, NameFileThatCannotBeOpenedLosesOnlyTheAnswers)
{
    std::filesystem::create_directories(Path("Data Files/MWSE/Vorel_Partner_Name.bin"));
    EXPECT_EQ(Start(), "Monitoring Morrowind...\n" + Unwritten_Name_File);
    const std::string hero = Hero_Request();
    const std::string said =
        hero.substr(0, hero.size() - Monitoring_Lines.size()) + Unwritten_Name_File + Monitoring_Lines;
    Game_Side_Request(root, '>', "m_hero");
    EXPECT_EQ(Pass(), said);
    Game_Side_Request(root, '>', "m_hero");
    EXPECT_EQ(Pass(), said);
    EXPECT_EQ(Game_Side_Marker(root), '<');
    EXPECT_EQ(Set_Contents(false), Expected_Set("head_hero", "hair_hero", "nord_m_"));
}

// What a killed copy left beside the mesh sets is gone once the monitor has started.
TEST_F(MonitorPass, StartRemovesTheLeftoversOfAKilledCopy)
{
    Write("Data Files/Meshes/Vorel/Vorel_Male1_Head0.NIF.Vorel_Temp", "half a mesh");
    Write("Data Files/Meshes/Vorel/Vorel_Fem1_Knee0.NIF.Vorel_Temp", "half a mesh");
    Start();
    EXPECT_FALSE(Exists("Data Files/Meshes/Vorel/Vorel_Male1_Head0.NIF.Vorel_Temp"));
    EXPECT_FALSE(Exists("Data Files/Meshes/Vorel/Vorel_Fem1_Knee0.NIF.Vorel_Temp"));
}

// The log is named at every request that loses an entry, as every file that cannot be written.
TEST_F(MonitorPass, MissingCompanionFolderLosesOnlyTheLogEntries)
{
    Remove("Vorel OXT Files");
    Start();
    const std::string unknown = Unknown_Request("nobody");
    const std::string said = unknown.substr(0, unknown.size() - Monitoring_Lines.size()) +
                             "Error! Could not write file: Vorel OXT Files\\OXT Errors.txt\n" + Monitoring_Lines;
    for (int request = 0; request < 2; ++request) {
        Game_Side_Request(root, '>', "nobody");
        EXPECT_EQ(Pass(), said);
        EXPECT_EQ(Game_Side_Answer(root), Not_Found_Answer);
    }
    EXPECT_FALSE(Exists("Vorel OXT Files"));
}

// Bytes of any kind and length, changed before every pass, with the markers mixed in: every
// pass ends, and a well-formed request afterwards is served as ever.
TEST_F(MonitorPass, NoContentOfThePartnerFileStopsTheLoop)
{
    Start();
    std::mt19937 random(20240601);
    const char markers[] = {'^', '>', '<', 'x'};
    for (int round = 0; round < 300; ++round) {
        std::string file(random() % 160, '\0');
        for (char& byte : file) byte = static_cast<char>(random() % 256);
        if (!file.empty() && random() % 4 != 0) file[0] = markers[random() % 4];
        Game_Side_Write(root, file);
        const std::string console = Pass();
        SCOPED_TRACE(testing::PrintToString(file));
        if (file.empty() || (file[0] != '^' && file[0] != '>')) {
            EXPECT_EQ(console, "");
        } else {
            ASSERT_GE(console.size(), Monitoring_Lines.size());
            EXPECT_EQ(console.substr(console.size() - Monitoring_Lines.size()), Monitoring_Lines);
            EXPECT_EQ(Game_Side_Marker(root), file[0] == '^' ? '>' : '<');
        }
    }
    Game_Side_Request(root, '>', "m_hero");
    EXPECT_EQ(Pass(), Hero_Request());
    EXPECT_EQ(Game_Side_Answer(root), "Your current lover is Hero Man");
}
