// The npc-lister program run in a game folder after the data-file lister, as the user runs them.
#include "tests/support/program_harness.h"
#include "tests/support/scratch_game.h"
#include "tools/tes3/tes3_builder.h"

#include <unistd.h>

#include <climits>
#include <cstdio>

using namespace std::string_literals;

using NPCListerProgram = Scratch_Game;

TEST_F(NPCListerProgram, ListsTheNPCsOfEveryDataFileOfTheSave)
{
    const std::string masters[] = {"Morrowind.esm", "Vorel.esp"};
    Write("Saves/Vorel.ess", tes3::Header_Record(masters, 2));
    Write("Data Files/Morrowind.esm",
          tes3::Header_Record(nullptr, 0) + tes3::Npc_Record("fargoth", "Fargoth", "Wood Elf", "b_n_wood elf_m_head_01",
                                                             "b_n_wood elf_m_hair_01", 0));
    Write("Data Files/Vorel.esp",
          tes3::Header_Record(masters, 1) + tes3::Record("NPC_", tes3::String_Subrecord("NAME", "vorel_ilmeni") +
                                                                     tes3::Subrecord("FLAG", tes3::Le32(1))));
    Run_To_Closing_Line("data-file-lister", root);
    const std::string console = Run_To_Closing_Line("npc-lister", root);
    EXPECT_EQ(console, "\nCreating text file: Vorel OXT Files\\NPC Lists\\Vorel NPC List.txt\n"
                       "Adding NPC: vorel_ilmeni\n"
                       "\nCreating text file: Vorel OXT Files\\NPC Lists\\Morrowind NPC List.txt\n"
                       "Adding NPC: Fargoth\n"
                       "\nDone!\n" +
                           Closing_Line("npc-lister") + "\n");
    EXPECT_EQ(Read("Vorel OXT Files/NPC Lists/Vorel NPC List.txt"),
              "vorel_ilmeni<b_n_dark elf_m_head_01>b_n_dark elf_m_hair_01<Dark Elf>1<vorel_ilmeni\r\n"s);
    EXPECT_EQ(Read("Vorel OXT Files/NPC Lists/Morrowind NPC List.txt"),
              "fargoth<b_n_wood elf_m_head_01>b_n_wood elf_m_hair_01<Wood Elf>0<Fargoth\r\n"s);
    EXPECT_EQ(Read("Vorel OXT Files/Vorel_Data_File_Census_List.txt"), "Vorel.esp*1\r\nMorrowind.esm*1\r\n"s);
}

// An NPC list that a full disk cannot take keeps what it held, whole, and is said once; what a
// killed run left beside the lists (under the names of other data files too) is removed.
TEST_F(NPCListerProgram, FullDiskKeepsAListWholeAndLeftoversAreRemoved)
{
    const std::string masters[] = {"Morrowind.esm"};
    Write("Saves/Vorel.ess", tes3::Header_Record(masters, 1));
    std::string npcs;
    for (int npc = 0; npc < 100; ++npc)
        npcs += tes3::Npc_Record("npc_" + std::to_string(npc), "Someone", "Wood Elf", "b_n_wood elf_m_head_01",
                                 "b_n_wood elf_m_hair_01", 0);
    Write("Data Files/Morrowind.esm", tes3::Header_Record(nullptr, 0) + npcs);
    Write("Vorel OXT Files/NPC Lists/Morrowind NPC List.txt", "old\r\n");
    for (const char* leftover : {"Vorel OXT Files/NPC Lists/Gone NPC List.txt.Vorel_Temp",
                                 "Vorel OXT Files/Vorel_Data_File_Census_List.txt.Vorel_Temp"})
        Write(leftover, "half");
    Run_To_Closing_Line("data-file-lister", root);
    const std::string console = Run_Program("npc-lister", root, Closing_Line("npc-lister"), false, 4096);
    const std::string said = "Error! Could not write file: Vorel OXT Files\\NPC Lists\\Morrowind NPC List.txt\n";
    ASSERT_NE(console.find(said), std::string::npos) << console;
    EXPECT_EQ(console.find(said), console.rfind(said)) << console;
    EXPECT_EQ(Read("Vorel OXT Files/NPC Lists/Morrowind NPC List.txt"), "old\r\n"s);
    EXPECT_EQ(Read("Vorel OXT Files/Vorel_Data_File_Census_List.txt"), "Morrowind.esm*100\r\n"s);
    EXPECT_FALSE(Exists("Vorel OXT Files/NPC Lists/Gone NPC List.txt.Vorel_Temp"));
    EXPECT_FALSE(Exists("Vorel OXT Files/NPC Lists/Morrowind NPC List.txt.Vorel_Temp"));
    EXPECT_FALSE(Exists("Vorel OXT Files/Vorel_Data_File_Census_List.txt.Vorel_Temp"));
}

// A data file too large for the buffer's positions (one of 2,147,483,647 bytes ending in an
// NPC record, as sparse as the file system makes it) is said and read as empty; the other data
// files are listed as ever.
TEST_F(NPCListerProgram, DataFileTooLargeToReadIsSaidAndListsNoNPC)
{
    const std::string record =
        tes3::Npc_Record("fargoth", "Fargoth", "Wood Elf", "b_n_wood elf_m_head_01", "b_n_wood elf_m_hair_01", 0);
    Write("Data Files/Big.esm", "");
    if (truncate(Path("Data Files/Big.esm").c_str(), static_cast<off_t>(INT32_MAX - record.size())) != 0)
        GTEST_SKIP() << "this file system makes no sparse file of 2 GB";
    {
        std::FILE* file = std::fopen(Path("Data Files/Big.esm").c_str(), "ab");
        ASSERT_NE(file, nullptr);
        std::fwrite(record.data(), 1, record.size(), file);
        std::fclose(file);
    }
    Write("Data Files/Small.esp", tes3::Header_Record(nullptr, 0) + record);
    Write_Data_File_List({"Small.esp", "Big.esm"});
    const std::string console = Run_To_Closing_Line("npc-lister", root);
    EXPECT_EQ(console, "\nCreating text file: Vorel OXT Files\\NPC Lists\\Small NPC List.txt\n"
                       "Adding NPC: Fargoth\n"
                       "\nCreating text file: Vorel OXT Files\\NPC Lists\\Big NPC List.txt\n"
                       "Error! File too large to read: Data Files\\Big.esm\n"
                       "\nDone!\n" +
                           Closing_Line("npc-lister") + "\n");
    EXPECT_EQ(Read("Vorel OXT Files/NPC Lists/Big NPC List.txt"), ""s);
    EXPECT_EQ(Read("Vorel OXT Files/Vorel_Data_File_Census_List.txt"), "Small.esp*1\r\nBig.esm*0\r\n"s);
}
