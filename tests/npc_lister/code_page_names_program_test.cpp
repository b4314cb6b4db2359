// The npc-lister program on a game folder copied onto a POSIX disk: the save names a plugin
// in the game's code page ("Caf\xe9.esp" in cp1252) and the disk names it in UTF-8 ("Café.esp").
#include "platform/platform.h"
#include "tests/support/program_harness.h"
#include "tests/support/scratch_game.h"
#include "tools/tes3/tes3_builder.h"

#include <filesystem>
#include <string>

using namespace std::string_literals;

using NPCListerCodePageNames = Scratch_Game;

namespace {

// The bytes of a file found as the programs find it, or "<missing>".
std::string Read_As_The_Programs_Find_It(const std::string& path)
{
    std::FILE* file = Os_Open_File(path.c_str(), "rb");
    if (file == nullptr) return "<missing>";
    std::string bytes;
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) bytes += static_cast<char>(c);
    std::fclose(file);
    return bytes;
}

}  // namespace

TEST_F(NPCListerCodePageNames, ListsTheNPCsOfAPluginWhoseNameIsInUtf8OnDisk)
{
    const std::string masters[] = {"Morrowind.esm", "Caf\xe9.esp"};
    Write("Saves/Vorel.ess", tes3::Header_Record(masters, 2));
    Write("Data Files/Morrowind.esm",
          tes3::Header_Record(nullptr, 0) + tes3::Npc_Record("fargoth", "Fargoth", "Wood Elf", "b_n_wood elf_m_head_01",
                                                             "b_n_wood elf_m_hair_01", 0));
    Write("Data Files/Caf\xc3\xa9.esp",
          tes3::Header_Record(masters, 1) +
              tes3::Npc_Record("jeanne", "Jeanne", "Breton", "b_n_breton_f_head_01", "b_n_breton_f_hair_01", 1));
    Run_To_Closing_Line("data-file-lister", root);
    const std::string console = Run_To_Closing_Line("npc-lister", root);
    EXPECT_EQ(console, "\nCreating text file: Vorel OXT Files\\NPC Lists\\Caf\xe9 NPC List.txt\n"
                       "Adding NPC: Jeanne\n"
                       "\nCreating text file: Vorel OXT Files\\NPC Lists\\Morrowind NPC List.txt\n"
                       "Adding NPC: Fargoth\n"
                       "\nDone!\n" +
                           Closing_Line("npc-lister") + "\n");
    EXPECT_EQ(Read_As_The_Programs_Find_It(root + "/Vorel OXT Files\\NPC Lists\\Caf\xe9 NPC List.txt"),
              "jeanne<b_n_breton_f_head_01>b_n_breton_f_hair_01<Breton>1<Jeanne\r\n"s);
    EXPECT_EQ(Read("Vorel OXT Files/Vorel_Data_File_Census_List.txt"), "Caf\xe9.esp*1\r\nMorrowind.esm*1\r\n"s);
    int data_files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(Path("Data Files")))
        if (entry.is_regular_file()) ++data_files;
    EXPECT_EQ(data_files, 2);  // no empty "Caf\xe9.esp" beside "Café.esp"
}
