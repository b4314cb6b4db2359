// The mesh-lister program run in a game folder after the data-file lister and the NPC
// lister, in the order of the pipeline.
#include "tests/support/program_harness.h"
#include "tests/support/scratch_game.h"
#include "tools/tes3/tes3_builder.h"

using namespace std::string_literals;
using tes3::Body_Record;
using tes3::Npc_Record;

using MeshListerProgram = Scratch_Game;

TEST_F(MeshListerProgram, ResolvesTheNPCListsOfThePipeline)
{
    const std::string masters[] = {"Morrowind.esm", "Tribunal.esm", "Vorel.esp"};
    Write("Saves/Vorel.ess", tes3::Header_Record(masters, 3));
    Write("Data Files/Morrowind.esm",
          tes3::Header_Record(nullptr, 0) +
              Body_Record("b_n_nord_m_head_01", "b\\B_N_Nord_M_Head_01.NIF", "Nord", 0, 0) +
              Body_Record("b_n_nord_m_hair_01", "b\\B_N_Nord_M_Hair_01.NIF", "Nord", 1, 0) +
              Npc_Record("hrolf", "Hrolf the Tall", "Nord", "b_n_nord_m_head_01", "b_n_nord_m_hair_01", 0));
    Write("Data Files/Tribunal.esm", tes3::Header_Record(masters, 1));
    Write("Data Files/Vorel.esp",
          tes3::Header_Record(masters, 2) +
              Npc_Record("vorel_lost", "Lost Wanderer", "Nord", "vorel_b_head_missing", "B_N_Nord_M_Hair_01", 0));
    Run_To_Closing_Line("data-file-lister", root);
    Run_To_Closing_Line("npc-lister", root);
    const std::string console = Run_Program("mesh-lister", root, "See 'Vorel OXT Files\\NPC Errors.txt' for details");
    EXPECT_EQ(console, "Creating text file: Vorel OXT Files\\Mesh Lists\\Vorel Mesh List.txt\n\n"
                       "Finding mesh for: vorel_b_head_missing\nProcessing of Data File is 0% complete\n"
                       "Overall progress: 0% complete\n\n"
                       "Finding mesh for: B_N_Nord_M_Hair_01\nProcessing of Data File is 50% complete\n"
                       "Overall progress: 16.667% complete\n\n"
                       "======================================\n\n"
                       "No NPC's in data file: Tribunal.esm\n\n======================================\n\n"
                       "Creating text file: Vorel OXT Files\\Mesh Lists\\Morrowind Mesh List.txt\n\n"
                       "Finding mesh for: b_n_nord_m_head_01\nProcessing of Data File is 0% complete\n"
                       "Overall progress: 66.667% complete\n\n"
                       "Finding mesh for: b_n_nord_m_hair_01\nProcessing of Data File is 50% complete\n"
                       "Overall progress: 83.333% complete\n\n"
                       "======================================\n\n"
                       "Done!\n" +
                           Closing_Line("mesh-lister") +
                           "\n"
                           "Meshes for some NPC head/hair body parts could not be found!\n"
                           "See 'Vorel OXT Files\\NPC Errors.txt' for details\n");
    const std::string vorel = "vorel_lost<Data Files\\Meshes\\Vorel\\Vorel_Error_Marker.nif"
                              ">Data Files\\Meshes\\b\\B_N_Nord_M_Hair_01.NIF<Nord>0<Lost Wanderer\r\n";
    const std::string morrowind = "hrolf<Data Files\\Meshes\\b\\B_N_Nord_M_Head_01.NIF"
                                  ">Data Files\\Meshes\\b\\B_N_Nord_M_Hair_01.NIF<Nord>0<Hrolf the Tall\r\n";
    EXPECT_EQ(Read("Vorel OXT Files/Mesh Lists/Vorel Mesh List.txt"), vorel);
    EXPECT_EQ(Read("Vorel OXT Files/Mesh Lists/Morrowind Mesh List.txt"), morrowind);
    EXPECT_FALSE(Exists("Vorel OXT Files/Mesh Lists/Tribunal Mesh List.txt"));
    EXPECT_EQ(Read("Vorel_NPC_List.txt"), vorel + morrowind);
    EXPECT_EQ(Read("Vorel OXT Files/NPC Errors.txt"),
              "Could not find mesh for head body part : vorel_b_head_missing\r\nUsed by NPC: Lost Wanderer\r\n"
              "NPC's ID: vorel_lost\r\nNPC's data file: Vorel.esp\r\n\r\n"s);
}

// A master and a plugin with one base name each keep their own lists, and the merged list
// holds the NPCs of both, in the order of the data-file list.
TEST_F(MeshListerProgram, MasterAndPluginWithOneBaseNameKeepListsOfTheirOwn)
{
    const std::string masters[] = {"Pair.esm", "Pair.esp"};
    Write("Saves/Vorel.ess", tes3::Header_Record(masters, 2));
    Write("Data Files/Pair.esm", tes3::Header_Record(nullptr, 0) + Body_Record("h", "h.nif", "Nord", 0, 0) +
                                     Body_Record("k", "k.nif", "Nord", 1, 0) +
                                     Npc_Record("master_npc", "From The Master", "Nord", "h", "k", 0));
    Write("Data Files/Pair.esp",
          tes3::Header_Record(masters, 1) + Npc_Record("plugin_npc", "From The Plugin", "Nord", "h", "k", 1));
    Run_To_Closing_Line("data-file-lister", root);
    const std::string npc_console = Run_To_Closing_Line("npc-lister", root);
    EXPECT_EQ(npc_console, "\nCreating text file: Vorel OXT Files\\NPC Lists\\Pair NPC List.txt\n"
                           "Adding NPC: From The Plugin\n"
                           "\nCreating text file: Vorel OXT Files\\NPC Lists\\Pair.esm NPC List.txt\n"
                           "Adding NPC: From The Master\n"
                           "\nDone!\n" +
                               Closing_Line("npc-lister") + "\n");
    Run_To_Closing_Line("mesh-lister", root);
    const std::string plugin =
        "plugin_npc<Data Files\\Meshes\\h.nif>Data Files\\Meshes\\k.nif<Nord>1<From The Plugin\r\n";
    const std::string master =
        "master_npc<Data Files\\Meshes\\h.nif>Data Files\\Meshes\\k.nif<Nord>0<From The Master\r\n";
    EXPECT_EQ(Read("Vorel OXT Files/Mesh Lists/Pair Mesh List.txt"), plugin);
    EXPECT_EQ(Read("Vorel OXT Files/Mesh Lists/Pair.esm Mesh List.txt"), master);
    EXPECT_EQ(Read("Vorel_NPC_List.txt"), plugin + master);
}

// What a killed run left beside the mesh lists and the merged NPC list is removed by the next.
TEST_F(MeshListerProgram, LeftoversOfAKilledRunAreRemoved)
{
    const std::string masters[] = {"Morrowind.esm"};
    Write("Saves/Vorel.ess", tes3::Header_Record(masters, 1));
    Write("Data Files/Morrowind.esm", tes3::Header_Record(nullptr, 0));
    for (const char* leftover :
         {"Vorel OXT Files/Mesh Lists/Gone Mesh List.txt.Vorel_Temp", "Vorel_NPC_List.txt.Vorel_Temp"})
        Write(leftover, "half");
    Run_To_Closing_Line("data-file-lister", root);
    Run_To_Closing_Line("npc-lister", root);
    Run_To_Closing_Line("mesh-lister", root);
    EXPECT_FALSE(Exists("Vorel OXT Files/Mesh Lists/Gone Mesh List.txt.Vorel_Temp"));
    EXPECT_FALSE(Exists("Vorel_NPC_List.txt.Vorel_Temp"));
    EXPECT_EQ(Read("Vorel_NPC_List.txt"), ""s);
}
