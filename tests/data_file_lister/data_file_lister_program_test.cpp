// The data-file-lister program run in a game folder, as the user runs it.
#include "tests/support/program_harness.h"
#include "tests/support/scratch_game.h"
#include "tools/tes3/tes3_builder.h"

#include <filesystem>
#include <string>
#include <vector>

using namespace std::string_literals;

using DataFileListerProgram = Scratch_Game;

TEST_F(DataFileListerProgram, WritesTheListAndItsConsoleLines)
{
    const std::string masters[] = {"Morrowind.esm", "Tribunal.esm", "Vorel.esp"};
    Write("Saves/Vorel.ess", tes3::Header_Record(masters, 3) + tes3::Npc_Record("player", "Me", "Nord", "h", "k", 0));
    const std::string console = Run_To_Closing_Line("data-file-lister", root);
    EXPECT_EQ(console,
              "Adding Data File: Morrowind.esm\nAdding Data File: Tribunal.esm\nAdding Data File: Vorel.esp\n\n"
              "Done!\n" +
                  Closing_Line("data-file-lister") + "\n");
    EXPECT_EQ(Read("Vorel OXT Files/Vorel_Data_File_List.txt"), "3\r\nVorel.esp\r\nTribunal.esm\r\nMorrowind.esm\r\n"s);
}

TEST_F(DataFileListerProgram, FindsTheSaveInAnyLetterCase)
{
    Remove("Saves");
    std::filesystem::create_directories(Path("saves"));
    const std::string masters[] = {"Morrowind.esm"};
    Write("saves/vorel.ESS", tes3::Header_Record(masters, 1));
    Run_To_Closing_Line("data-file-lister", root);
    EXPECT_EQ(Read("Vorel OXT Files/Vorel_Data_File_List.txt"), "1\r\nMorrowind.esm\r\n"s);
}

// The game names its saves itself: without "Saves\Vorel.ess" the player is told before
// "Done!" what to do. A list that cannot be written is said, and keeps what it held.
TEST_F(DataFileListerProgram, SaysWhenThereIsNoSaveOrTheListCannotBeWritten)
{
    Write("Saves/Kendo0000.ess", tes3::Header_Record(nullptr, 0));
    std::filesystem::create_directories(Path("Vorel OXT Files/Vorel_Data_File_List.txt"));
    const std::string console = Run_To_Closing_Line("data-file-lister", root);
    EXPECT_EQ(console, "Error! Could not write file: Vorel OXT Files\\Vorel_Data_File_List.txt\n"
                       "Error! 'Saves\\Vorel.ess' is missing or empty\n"
                       "Save the game, then copy the newest save file in 'Saves' to 'Vorel.ess'\n\n"
                       "Done!\n" +
                           Closing_Line("data-file-lister") + "\n");
    EXPECT_FALSE(Exists("Saves/Vorel.ess"));
}

// On a full disk the list keeps what it held, whole: it is said once, and neither the list in
// the order of the save nor a part of the new list takes its name. What a killed run left
// beside the list is gone after the next run.
TEST_F(DataFileListerProgram, FullDiskKeepsTheListWholeAndLeftoversAreRemoved)
{
    std::vector<std::string> masters;
    for (int file = 0; file < 150; ++file)
        masters.push_back("Plugin " + std::to_string(1000 + file) + " of a long name.esp");
    Write("Saves/Vorel.ess", tes3::Header_Record(masters.data(), static_cast<int>(masters.size())));
    const std::string old_list = "3\r\nC.esp\r\nB.esm\r\nA.esm\r\n";
    Write("Vorel OXT Files/Vorel_Data_File_List.txt", old_list);
    Write("Vorel OXT Files/Vorel_Data_File_List.txt.Vorel_Temp", "1\r\nhalf");
    const std::string closing = Closing_Line("data-file-lister");
    const std::string said = "Error! Could not write file: Vorel OXT Files\\Vorel_Data_File_List.txt\n";
    const std::string console = Run_Program("data-file-lister", root, closing, false, 4096);
    ASSERT_NE(console.find(said), std::string::npos) << console;
    EXPECT_EQ(console.find(said), console.rfind(said)) << console;
    EXPECT_NE(console.find("\nDone!\n" + closing + "\n"), std::string::npos) << console;
    EXPECT_EQ(Read("Vorel OXT Files/Vorel_Data_File_List.txt"), old_list);
    EXPECT_FALSE(Exists("Vorel OXT Files/Vorel_Data_File_List.txt.Vorel_Temp"));
    Write("Vorel OXT Files/Vorel_Data_File_List.txt.Vorel_Temp", "1\r\nhalf");
    Run_Program("data-file-lister", root, closing);
    std::string list = "150\r\n";
    for (auto name = masters.rbegin(); name != masters.rend(); ++name) list += *name + "\r\n";
    EXPECT_EQ(Read("Vorel OXT Files/Vorel_Data_File_List.txt"), list);
    EXPECT_FALSE(Exists("Vorel OXT Files/Vorel_Data_File_List.txt.Vorel_Temp"));
}
