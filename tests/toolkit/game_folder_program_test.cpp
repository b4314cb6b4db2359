// Every program in a game folder that is not as the pipeline leaves it, natively and as a
// Windows .exe under Wine: data files that the save names and the player no longer has, the
// programs run before the ones that write their lists, and a start outside the game's folder.
#include "tests/partner_monitor/game_side.h"
#include "tests/support/program_harness.h"
#include "tests/support/scratch_game.h"
#include "tools/tes3/tes3_builder.h"

#include <chrono>
#include <filesystem>
#include <set>
#include <string>
#include <thread>

using namespace std::string_literals;

namespace {

const std::string Data_File_List_Closing = Closing_Line("data-file-lister");
const std::string NPC_Closing = Closing_Line("npc-lister");
const std::string Mesh_Closing = Closing_Line("mesh-lister");
const std::string Race_Closing = Closing_Line("race-lister");
const std::string No_Player_Change = "No Vorel player meshes have been changed";
const std::string Wrong_Folder =
    "Error! Start this program from the game's root folder, the folder that holds 'Data Files' and 'Saves'";

std::string Run_First(const std::string& list, const std::string& program)
{
    return "Error! '" + list + "' is missing or lists nothing: run " + program + " first\n";
}

const std::string Run_Data_File_Lister_First =
    Run_First("Vorel OXT Files\\Vorel_Data_File_List.txt", "data-file-lister");

size_t Count(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

}  // namespace

class GameFolderProgram : public Scratch_Game {
protected:
    // Every file and folder below the game root, with the bytes of each file.
    std::set<std::string> Tree() const
    {
        std::set<std::string> tree;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
            const std::string relative = std::filesystem::relative(entry.path(), root).string();
            tree.insert(entry.is_directory() ? relative + "/" : relative + "=" + Read(relative).value_or(""));
        }
        return tree;
    }
};

// A save that names three data files of which the player has only the master: every program
// that loads data files names each missing one once, and none of them appears on disk.
TEST_F(GameFolderProgram, DataFilesThatTheSaveNamesAndThePlayerLacksAreSaidAndNeverMade)
{
    const std::string masters[] = {"Morrowind.esm", "Gone.esm", "Lost.esp"};
    Write("Saves/Vorel.ess",
          tes3::Header_Record(masters, 3) + tes3::Npc_Record("player", "Me", "Nord", "b_head", "b_hair", 0));
    Write("Data Files/Morrowind.esm", tes3::Header_Record(nullptr, 0) +
                                          tes3::Npc_Record("fargoth", "Fargoth", "Nord", "b_head", "b_hair", 0) +
                                          tes3::Body_Record("b_head", "b\\head.nif", "Nord", 0, 0) +
                                          tes3::Body_Record("b_hair", "b\\hair.nif", "Nord", 1, 0) +
                                          tes3::Body_Record("b_neck", "b\\neck.nif", "Nord", 2, 0));
    std::filesystem::create_directories(Path("Data Files/Meshes/b"));
    for (const char* mesh : {"b/head.nif", "b/hair.nif", "b/neck.nif", "Vorel/Vorel_Error_Marker.nif"})
        Write("Data Files/Meshes/"s + mesh, mesh);
    const std::string gone = "Error! Could not find data file: Data Files\\Gone.esm\n";
    const std::string lost = "Error! Could not find data file: Data Files\\Lost.esp\n";

    Run_Program("data-file-lister", root, Data_File_List_Closing);
    const std::string npc = Run_Program("npc-lister", root, NPC_Closing);
    // Said at the data file's turn, right after the line that names its list.
    EXPECT_EQ(npc, "\nCreating text file: Vorel OXT Files\\NPC Lists\\Lost NPC List.txt\n" + lost +
                       "\nCreating text file: Vorel OXT Files\\NPC Lists\\Gone NPC List.txt\n" + gone +
                       "\nCreating text file: Vorel OXT Files\\NPC Lists\\Morrowind NPC List.txt\n"
                       "Adding NPC: Fargoth\n\nDone!\n" +
                       NPC_Closing + "\n");
    EXPECT_EQ(Read("Vorel OXT Files/NPC Lists/Lost NPC List.txt"), ""s);
    EXPECT_EQ(Read("Vorel OXT Files/Vorel_Data_File_Census_List.txt"),
              "Lost.esp*0\r\nGone.esm*0\r\nMorrowind.esm*1\r\n"s);
    const std::string mesh = Run_Program("mesh-lister", root, Mesh_Closing);
    const std::string race = Run_Program("race-lister", root, Race_Closing);
    const std::string player =
        Run_Program("player-appearance", root, "Vorel male player meshes have been changed to this appearance & race");
    for (const std::string* console : {&mesh, &race, &player}) {
        EXPECT_EQ(Count(*console, gone), 1u) << *console;
        EXPECT_EQ(Count(*console, lost), 1u) << *console;
    }
    EXPECT_EQ(Read("Vorel_NPC_List.txt"),
              "fargoth<Data Files\\Meshes\\b\\head.nif>Data Files\\Meshes\\b\\hair.nif<Nord>0<Fargoth\r\n"s);
    for (const char* name : {"Gone.esm", "Lost.esp"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(Exists("Data Files/"s + name));
    }
}

// Each program run before the one that writes its input list names that program before its
// closing line; player appearance then leaves the mesh set as it is.
TEST_F(GameFolderProgram, ProgramRunBeforeItsInputListIsWrittenNamesTheProgramToRunFirst)
{
    Write("Data Files/Meshes/Vorel/Vorel_Male1_Head0.NIF", "old head");
    Write("Data Files/Meshes/Vorel/Vorel_Error_Marker.nif", "marker");
    const std::string masters[] = {"Morrowind.esm"};
    Write("Saves/Vorel.ess",
          tes3::Header_Record(masters, 1) + tes3::Npc_Record("player", "Me", "Nord", "b_head", "b_hair", 0));
    Write("Data Files/Morrowind.esm",
          tes3::Header_Record(nullptr, 0) + tes3::Npc_Record("fargoth", "Fargoth", "Nord", "b_head", "b_hair", 0));
    EXPECT_EQ(Run_Program("npc-lister", root, NPC_Closing),
              Run_Data_File_Lister_First + "\nDone!\n" + NPC_Closing + "\n");
    EXPECT_EQ(Run_Program("mesh-lister", root, Mesh_Closing),
              Run_Data_File_Lister_First + "\nDone!\n" + Mesh_Closing + "\n");
    EXPECT_EQ(Run_Program("race-lister", root, Race_Closing),
              Run_Data_File_Lister_First + "\nDone!\n" + Race_Closing + "\n");
    EXPECT_EQ(Run_Program("player-appearance", root, No_Player_Change),
              Run_Data_File_Lister_First + "Done!\n" + No_Player_Change + "\n");
    EXPECT_EQ(Read("Data Files/Meshes/Vorel/Vorel_Male1_Head0.NIF"), "old head"s);
    EXPECT_FALSE(Exists("Vorel OXT Files/Copy Errors.txt"));

    // The data-file list written, the census list not yet.
    Run_Program("data-file-lister", root, Data_File_List_Closing);
    EXPECT_EQ(Run_Program("mesh-lister", root, Mesh_Closing),
              Run_First("Vorel OXT Files\\Vorel_Data_File_Census_List.txt", "npc-lister") + "\nDone!\n" + Mesh_Closing +
                  "\n");
}

// Started where neither "Data Files" nor "Saves" is, a program says so in one line, writes
// nothing, and idles; the partner monitor says it once and never looks for its partner file.
TEST_F(GameFolderProgram, ProgramStartedOutsideTheGameFolderSaysSoAndWritesNothing)
{
    Remove("Data Files");
    Remove("Saves");
    Write("Vorel OXT Files/Vorel_Data_File_List.txt", "1\r\nMorrowind.esm\r\n");
    const std::set<std::string> before = Tree();
    for (const char* program :
         {"data-file-lister", "npc-lister", "mesh-lister", "race-lister", "player-appearance", "partner-monitor"}) {
        SCOPED_TRACE(program);
        Program_Process process;
        ASSERT_TRUE(Start_Program(process, program, root));
        EXPECT_TRUE(Wait_For_Console(process, Wrong_Folder + "\n", Program_Timeout()));
        // Three of the monitor's passes, had it begun them; the others have returned by now.
        const bool monitor = std::string(program) == "partner-monitor";
        std::this_thread::sleep_for(std::chrono::milliseconds(monitor ? 1600 : 100));
        Drain_Console(process);
        Stop_Program(process);
        EXPECT_EQ(process.console, Wrong_Folder + "\n");
        EXPECT_EQ(Tree(), before);
    }
}

// Either folder is enough: a game folder whose saves are elsewhere still has "Data Files".
TEST_F(GameFolderProgram, EitherFolderOfTheGameIsEnough)
{
    Remove("Saves");
    EXPECT_EQ(Run_Program("race-lister", root, Race_Closing),
              Run_Data_File_Lister_First + "\nDone!\n" + Race_Closing + "\n");
    Remove("Data Files");
    std::filesystem::create_directories(Path("saves"));
    EXPECT_EQ(Run_Program("data-file-lister", root, Data_File_List_Closing),
              "Error! 'Saves\\Vorel.ess' is missing or empty\n"
              "Save the game, then copy the newest save file in 'Saves' to 'Vorel.ess'\n\nDone!\n" +
                  Data_File_List_Closing + "\n");
}

// The monitor reads its lists at each request: a request that finds no NPC, or no race, in a
// list that lists nothing names the program that writes it.
TEST_F(GameFolderProgram, MonitorNamesTheListerOfAListThatListsNothingAtTheRequest)
{
    std::filesystem::create_directories(Path("Data Files/Meshes/b"));
    Write("Data Files/Meshes/b/head.nif", "head");
    Write("Data Files/Meshes/Vorel/Vorel_Error_Marker.nif", "marker");
    Program_Process process;
    ASSERT_TRUE(Start_Program(process, "partner-monitor", root));
    ASSERT_TRUE(Wait_For_Console(process, "Monitoring Morrowind...\n", Program_Timeout()));
    Game_Side_Request(root, '>', "fargoth");
    EXPECT_TRUE(Game_Side_Wait_For_Answered(root, Program_Timeout()));
    Write("Vorel_NPC_List.txt",
          "fargoth<Data Files\\Meshes\\b\\head.nif>Data Files\\Meshes\\b\\head.nif<Nord>0<Fargoth\r\n");
    Game_Side_Request(root, '>', "fargoth");
    EXPECT_TRUE(Game_Side_Wait_For_Answered(root, Program_Timeout()));
    EXPECT_TRUE(Wait_For_Console(process,
                                 "See the OXT Errors Log for details\n" +
                                     Run_First("Vorel_MRace_List.txt", "race-lister") + "\nMonitoring Morrowind...\n\n",
                                 Program_Timeout()));
    Stop_Program(process);
    const std::string head = "Data Files\\Meshes\\b\\head.nif";
    EXPECT_EQ(process.console,
              "Monitoring Morrowind...\nSearching for NPC ID: fargoth\n"
              "ERROR!!! Could not find NPC: fargoth in Vorel_NPC_List.txt!\n"
              "See the OXT Errors Log for details\nTry choosing a different lover!\n" +
                  Run_First("Vorel_NPC_List.txt", "mesh-lister") +
                  "\nMonitoring Morrowind...\n\nSearching for NPC ID: fargoth\n"
                  "ID found! Changing lover's appearance to: Fargoth\nHead: " +
                  head + "\nHair: " + head +
                  "\nRace: Nord\n"
                  "ERROR!!! Could not find Race: Nordin Vorel_MRace_List.txt! See the OXT Errors Log for details\n" +
                  Run_First("Vorel_MRace_List.txt", "race-lister") + "\nMonitoring Morrowind...\n\n");
}
