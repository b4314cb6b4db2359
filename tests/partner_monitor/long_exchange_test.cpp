// The partner-monitor program under a long exchange with the game side's stand-in: a few
// hundred requests, seeded and so reproducible, for NPCs that are listed and IDs that are
// not, with "^" and ">" markers, idle markers in between, new bytes around every ID, and some
// requests replaced by the next a few ms after the monitor announced them. After each answer
// the name file, the error log, the console and the 13 files of the requested sex (and the
// other sex's, untouched) are checked against a model of the world.
// Takes minutes: not part of the default test run (tools/run_long_exchange.sh runs it).
#include "tests/partner_monitor/game_side.h"
#include "tests/partner_monitor/partner_game.h"
#include "tests/support/program_harness.h"

#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>
#include <vector>

using namespace std::string_literals;

namespace {

constexpr int Default_Requests = 300;
constexpr unsigned Default_Seed = 7;
constexpr int World_NPCs = 24;
constexpr int Missing_Head_NPC = 5;    // its head mesh is not on disk: the error marker replaces it
constexpr int Idle_Marker_Every = 25;  // one step in this many writes a marker the monitor leaves alone
constexpr int Replaced_One_In = 4;     // about one request in this many is replaced while served

// The longest wait between "Searching for NPC ID" and the replacing request: about the time
// a request of the world's large merged list takes to serve.
int Replace_Delay_Ms() { return Running_Under_Wine() ? 60 : 10; }

const std::string Error_Marker_Bytes = "marker";
const std::string Not_Found_Answer = "AN ERROR OCCURRED CHANGING YOUR LOVER - CHOOSE A DIFFERENT NPC";

int Environment_Number(const char* name, int fallback)
{
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0' ? std::atoi(value) : fallback;
}

struct World_NPC {
    std::string id;
    std::string name;
    std::string race;
    bool female;
};

// The races of the world; Khajiit stands in neither race list, Breton only in the female one
// and Redguard only in the male one.
const char* const Races[] = {"Nord", "Breton", "Redguard", "Khajiit"};

bool Race_Listed(const std::string& race, bool female)
{
    return race == "Nord" || race == (female ? "Breton" : "Redguard");
}

std::string Race_Prefix(const std::string& race, bool female)
{
    std::string prefix;
    for (char c : race) prefix += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    return prefix + (female ? "_f_" : "_m_");
}

std::string Copy_Block(const std::string& source)
{
    return "Error! Could not find file: " + source +
           "\nCopying default file instead\nSee 'Vorel OXT Files\\Copy Errors.txt' for details\n\n";
}

}  // namespace

class PartnerMonitorLongExchange : public Partner_Game {
protected:
    void SetUp() override
    {
        Partner_Game::SetUp();
        sets[0] = Untouched_Set();
        sets[1] = Untouched_Set();
        Write_Long_World();
    }
    void TearDown() override
    {
        Stop_Program(process);
        Partner_Game::TearDown();
    }

    // The NPCs of the merged list, behind the lines of a large game, their meshes and both race
    // lists (one body part of the female Nord is missing on disk). A second line for npc_0
    // comes last and is never used.
    void Write_Long_World()
    {
        std::string merged;
        for (int k = 0; k < World_NPCs; ++k) {
            World_NPC npc{"npc_" + std::to_string(k), "Person " + std::to_string(k) + (k % 3 ? "" : " of Long Name"),
                          Races[k % 4], (k / 4) % 2 == 1};
            if (k != Missing_Head_NPC) Write_Source("head_" + std::to_string(k));
            Write_Source("hair_" + std::to_string(k));
            merged += NPC_Line(npc.id, Source_Mesh("head_" + std::to_string(k)),
                               Source_Mesh("hair_" + std::to_string(k)), npc.race, npc.female ? "1" : "0", npc.name);
            npcs.push_back(npc);
        }
        merged += NPC_Line("npc_0", Source_Mesh("nobody"), Source_Mesh("nobody"), "Nord", "1", "Second Line");
        Write("Vorel_NPC_List.txt", Filler_NPC_Lines(Large_Game_NPCs) + merged);
        for (const char* prefix : {"nord_m_", "redguard_m_", "nord_f_", "breton_f_"}) Write_Race_Sources(prefix);
        Remove("Data Files/Meshes/src/nord_f_Knee.nif");
        Write("Vorel_MRace_List.txt", Race_Line("Redguard", "redguard_m_") + Race_Line("Nord", "nord_m_"));
        Write("Vorel_FRace_List.txt", Race_Line("Breton", "breton_f_") + Race_Line("Nord", "nord_f_"));
    }

    // An ID the game side might send: mostly listed NPCs, else near misses and random text.
    std::string Random_ID()
    {
        const int kind = Pick(10);
        const std::string listed = npcs[static_cast<size_t>(Pick(World_NPCs))].id;
        if (kind < 6) return listed;
        std::string near = listed;
        if (kind == 6) return near.replace(0, 3, "NPC");  // other letter case
        if (kind == 7) return near += 'x';                // a listed ID is its prefix
        if (kind == 8) {
            near.back() = '<';  // the list's delimiter cuts it
            return near;
        }
        std::string text;
        const int length = 1 + Pick(40);
        for (int i = 0; i < length; ++i) text += static_cast<char>(' ' + Pick(95));
        return text;
    }

    int Pick(int below) { return std::uniform_int_distribution<int>(0, below - 1)(random); }

    // The partner file as the game writes it: marker, one byte, the ID, nine bytes; the bytes
    // around the ID are new every time.
    std::string Partner_Bytes(char marker, const std::string& id)
    {
        std::string bytes(1, marker);
        bytes += static_cast<char>(Pick(256));
        bytes += id;
        for (int i = 0; i < 9; ++i) bytes += static_cast<char>(Pick(256));
        return bytes;
    }

    const World_NPC* Listed(const std::string& id) const
    {
        for (const World_NPC& npc : npcs)
            if (npc.id == id) return &npc;
        return nullptr;
    }

    // What a served request must print, log, answer and leave in the set, applied to the model.
    // Returns the answer the game reads.
    std::string Expect_Request(const std::string& id)
    {
        console += Searching_Lines(id);
        const World_NPC* npc = Listed(id);
        std::string answer;
        if (npc == nullptr) {
            console += NPC_Missing_Lines(id);
            log += NPC_Missing_Entry(id);
            answer = Not_Found_Answer;
        } else {
            Expect_Appearance(*npc);
            answer = "Your current lover is " + npc->name;
        }
        console += Monitoring_Lines;
        name_file = Overwritten(name_file, answer + '\0');
        return answer;
    }

    void Expect_Appearance(const World_NPC& npc)
    {
        const std::string number = npc.id.substr(4);
        const std::string head = Source_Mesh("head_" + number);
        console += Found_Lines(npc.name, head, Source_Mesh("hair_" + number), npc.race);
        std::vector<std::string>& set = sets[npc.female ? 1 : 0];
        set[0] = npc.id == "npc_" + std::to_string(Missing_Head_NPC) ? Error_Marker_Bytes : "head_" + number;
        if (set[0] == Error_Marker_Bytes) console += Copy_Block(head);
        set[1] = "hair_" + number;
        if (!Race_Listed(npc.race, npc.female)) {
            console += Race_Missing_Lines(npc.race, npc.female);
            log += Race_Missing_Entry(npc.race, npc.name, npc.id);
            return;
        }
        const std::string prefix = Race_Prefix(npc.race, npc.female);
        for (int part = 0; part < 11; ++part) {
            set[static_cast<size_t>(2 + part)] = prefix + Body_Part_Words[part];
            if (prefix + Body_Part_Words[part] == "nord_f_Knee") {
                set[static_cast<size_t>(2 + part)] = Error_Marker_Bytes;
                console += Copy_Block(Source_Mesh("nord_f_Knee"));
            }
        }
        console += Changed_Lines(npc.female);
    }

    // Everything the game side and the user can see, as the model has it.
    void Check_World(int step, const std::string& id)
    {
        SCOPED_TRACE("step " + std::to_string(step) + ", ID " + id);
        ASSERT_TRUE(Wait_For_Console(process, console, Program_Timeout())) << process.console;
        EXPECT_EQ(process.console, console);
        EXPECT_EQ(Read("Data Files/MWSE/Vorel_Partner_Name.bin"), name_file);
        EXPECT_EQ(Read("Vorel OXT Files/OXT Errors.txt"), log);
        EXPECT_EQ(Set_Contents(false), sets[0]);
        EXPECT_EQ(Set_Contents(true), sets[1]);
    }

    // A marker that is neither "^" nor ">": a pass and more go by without any change.
    void Idle_Step(int step)
    {
        const std::string bytes = Partner_Bytes(Pick(2) ? '<' : 'z', Random_ID());
        Game_Side_Write(root, bytes);
        std::this_thread::sleep_for(std::chrono::milliseconds(700));
        EXPECT_EQ(Read("Data Files/MWSE/Vorel_Partner.bin"), bytes);
        Check_World(step, "(idle)");
    }

    // Writes a request for id with either marker and bytes other than previous; an
    // initialisation's lines go into the model. Returns the bytes written.
    std::string Send_Request(const std::string& id, const std::string& previous)
    {
        const char marker = Pick(5) == 0 ? '^' : '>';
        std::string bytes = Partner_Bytes(marker, id);
        while (bytes == previous) bytes = Partner_Bytes(marker, id);
        Game_Side_Write(root, bytes);
        if (marker == '^') console += "Program initialised...\n\n" + Monitoring_Lines;
        return bytes;
    }

    // The game side writes its next request a few ms after the monitor announced the one in
    // the file: both are served, one after the other. Returns the bytes of the next request.
    std::string Replace_While_Served(int step, std::string& id, const std::string& bytes)
    {
        const bool announced = Wait_For_Console(process, console + Searching_Lines(id), Program_Timeout());
        EXPECT_TRUE(announced) << "step " << step << ": " << id << " never served";
        Expect_Request(id);
        std::this_thread::sleep_for(std::chrono::milliseconds(Pick(Replace_Delay_Ms() + 1)));
        ++replaced;
        if (Game_Side_Marker(root) == '>') ++replaced_while_served;
        id = Random_ID();
        return Send_Request(id, bytes);
    }

    void Request_Step(int step)
    {
        std::string id = Random_ID();
        std::string bytes = Send_Request(id, "");
        if (Pick(Replaced_One_In) == 0) bytes = Replace_While_Served(step, id, bytes);
        const std::string answer = Expect_Request(id);
        ASSERT_TRUE(Game_Side_Wait_For_Answered(root, Program_Timeout())) << "step " << step << ": no answer to " << id;
        // "<" stands beside the answer to the last request written, and to no older one.
        EXPECT_EQ(Game_Side_Answer(root), answer) << "step " << step;
        Check_World(step, id);
        std::string answered = bytes;
        answered[0] = '<';
        EXPECT_EQ(Read("Data Files/MWSE/Vorel_Partner.bin"), answered) << "step " << step;
    }

    std::mt19937 random{static_cast<unsigned>(Environment_Number("VOREL_LONG_EXCHANGE_SEED", Default_Seed))};
    std::vector<World_NPC> npcs;
    std::vector<std::string> sets[2];  // male, female: what each of the 13 files holds
    std::string console = "Monitoring Morrowind...\n";
    std::string name_file;
    std::string log;
    int replaced = 0;
    int replaced_while_served = 0;  // byte 0 still ">" when the next request was written
    Program_Process process;
};

TEST_F(PartnerMonitorLongExchange, AnswersEveryRequestOfALongExchange)
{
    const int requests = Environment_Number("VOREL_LONG_EXCHANGE_REQUESTS", Default_Requests);
    ASSERT_TRUE(Start_Program(process, "partner-monitor", root));
    ASSERT_TRUE(Wait_For_Console(process, console, Program_Timeout()));
    for (int step = 0; step < requests && !HasFatalFailure(); ++step) {
        if (step % Idle_Marker_Every == Idle_Marker_Every - 1) Idle_Step(step);
        Request_Step(step);
    }
    // The monitor is still there and still polling: no crash along the way.
    EXPECT_EQ(waitpid(process.pid, nullptr, WNOHANG), 0);
    std::printf("%d requests, %d replaced a few ms after \"Searching for NPC ID\", %d of them before \"<\"\n", requests,
                replaced, replaced_while_served);
}
