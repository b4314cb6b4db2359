// The platform layer: the file-existence test, case-insensitive paths and shared opens.
#include "platform/platform.h"
#include "tests/support/scratch_game.h"

#include <cstdio>
#include <filesystem>

using namespace std::string_literals;

class Platform : public Scratch_Game {
protected:
    void SetUp() override
    {
        Scratch_Game::SetUp();
        Enter();
    }
};

TEST_F(Platform, FileExistsAsGetFileAttributesAnswers)
{
    std::filesystem::create_directories(Path("Data Files/Meshes/b"));
    Write("Data Files/Meshes/b/B_N_Dark Elf_M_Head_01.nif", "");
    EXPECT_EQ(Os_File_Exists("Data Files\\Meshes\\b\\B_N_Dark Elf_M_Head_01.nif"), 1);
    EXPECT_EQ(Os_File_Exists("data files\\meshes\\B\\b_n_dark elf_m_head_01.NIF"), 1);
    EXPECT_EQ(Os_File_Exists("Data Files\\Meshes"), 1);  // a folder exists too
    EXPECT_EQ(Os_File_Exists("Data Files\\Meshes\\"), 1);
    EXPECT_EQ(Os_File_Exists(""), 0);
    EXPECT_EQ(Os_File_Exists("Data Files\\Meshes\\b\\missing.nif"), 0);
}

TEST_F(Platform, NewFileKeepsTheSpellingGivenInsideExistingFolders)
{
    std::FILE* file = Os_Open_File("data files\\meshes\\vorel\\New_Mesh.NIF", "wb");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
    EXPECT_TRUE(Exists("Data Files/Meshes/Vorel/New_Mesh.NIF"));
    EXPECT_EQ(Os_Open_File("No Folder\\x.txt", "wb"), nullptr);
    EXPECT_EQ(Os_Open_File("Data Files", "rb"), nullptr);
}

TEST_F(Platform, OpensAreSharedWithOtherWriters)
{
    Write("Data Files/MWSE/Vorel_Partner.bin", ">xid");
    std::FILE* held = Os_Open_File("Data Files\\MWSE\\Vorel_Partner.bin", "r+b");
    ASSERT_NE(held, nullptr);
    Write("Data Files/MWSE/Vorel_Partner.bin", "^xid");
    std::rewind(held);
    EXPECT_EQ(std::fgetc(held), '^');
    std::fclose(held);
}

TEST_F(Platform, SameFileIsToldHoweverItIsSpelled)
{
    Write("Data Files/Meshes/Vorel/Vorel_Male1_Head0.NIF", "mesh");
    EXPECT_EQ(Os_Same_File("Data Files\\Meshes\\Vorel\\Vorel_Male1_Head0.NIF",
                           "data files\\meshes\\vorel\\vorel_male1_head0.nif"),
              1);
    EXPECT_EQ(Os_Same_File("Data Files\\Meshes\\Vorel\\Vorel_Male1_Head0.NIF",
                           "Data Files\\Meshes\\..\\Meshes\\Vorel\\Vorel_Male1_Head0.NIF"),
              1);
    Write("Data Files/Meshes/Vorel/Other.NIF", "mesh");
    EXPECT_EQ(Os_Same_File("Data Files\\Meshes\\Vorel\\Vorel_Male1_Head0.NIF", "Data Files\\Meshes\\Vorel\\Other.NIF"),
              0);
    EXPECT_EQ(Os_Same_File("Data Files\\Meshes\\Vorel\\Missing.NIF", "Data Files\\Meshes\\Vorel\\Missing.NIF"), 0);
}
