// The platform layer: the file-existence test, case-insensitive paths, names in the game's
// code pages and shared opens.
#include "platform/code_pages.h"
#include "platform/platform.h"
#include "tests/support/scratch_game.h"
#include "tests/toolkit/buffer_fixture.h"
#include "toolkit/toolkit.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

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

// A plugin named in the game's code page, stored under its name in UTF-8 as a copy onto a
// POSIX disk names it: the name as the save spells it, the name on disk, the page.
struct Code_Page_Name {
    const char* page;
    std::string spelled;
    std::string on_disk;
};

const Code_Page_Name Code_Page_Names[] = {
    {"cp1252", "Caf\xe9.esp", "Caf\xc3\xa9.esp"},  // Café
    // Морровинд; read in cp1252 it would be "Ìîððîâèíä", which is not on disk
    {"cp1251", "\xcc\xee\xf0\xf0\xee\xe2\xe8\xed\xe4.esp",
     "\xd0\x9c\xd0\xbe\xd1\x80\xd1\x80\xd0\xbe\xd0\xb2\xd0\xb8\xd0\xbd\xd0\xb4.esp"},
    // Příliš žluťoučký kůň; undefined in cp1252 (0x9D), and not on disk read in cp1251
    {"cp1250", "P\xf8\xedli\x9a \x9elu\x9dou\xe8k\xfd k\xf9\xf2.esp",
     "P\xc5\x99\xc3\xadli\xc5\xa1 \xc5\xbelu\xc5\xa5ou\xc4\x8dk\xc3\xbd k\xc5\xaf\xc5\x88.esp"},
};

TEST_F(Platform, NamesInTheGameCodePagesFindTheirUtf8NamesOnDisk)
{
    for (const Code_Page_Name& name : Code_Page_Names) {
        SCOPED_TRACE(name.page);
        Write("Data Files/" + name.on_disk, "TES3 " + std::string(name.page));
        const std::string path = "Data Files\\" + name.spelled;
        Load_File_Buffer(path.c_str());
        EXPECT_EQ(Buffer_Bytes(), "TES3 " + std::string(name.page));
        EXPECT_EQ(Os_File_Exists(path.c_str()), 1);
        std::FILE* shared = Os_Open_File(path.c_str(), "r+b");
        ASSERT_NE(shared, nullptr);
        EXPECT_EQ(std::fgetc(shared), 'T');
        std::fclose(shared);
        EXPECT_FALSE(Exists("Data Files/" + name.spelled));
    }
    Free_File_Buffer();
}

TEST_F(Platform, FolderNamedInACodePageIsFoundLikeAFile)
{
    std::filesystem::create_directories(Path("Data Files/Meshes/Caf\xc3\xa9"));
    Write("Data Files/Meshes/Caf\xc3\xa9/Head.NIF", "mesh");
    EXPECT_EQ(Os_File_Exists("Data Files\\Meshes\\Caf\xe9\\head.nif"), 1);
    EXPECT_EQ(Os_File_Exists("Data Files\\Meshes\\CAF\xc9\\head.nif"), 0);  // É is no letter-case pair of é here
    EXPECT_EQ(Os_Same_File("Data Files\\Meshes\\Caf\xe9\\head.nif", "Data Files\\Meshes\\Caf\xc3\xa9\\Head.NIF"), 1);
}

// Which of several files on disk a name finds: the byte-exact name first, then the name in
// other letter case, then the code pages in turn, each as written before in other case.
TEST_F(Platform, ExactAndLetterCaseMatchesWinOverCodePageReadings)
{
    struct Case {
        const char* what;
        std::vector<std::string> on_disk;  // the first is the one to be found
        std::string spelled;
    };
    const std::string cyrillic = "\xcc\xee\xf0\xf0\xee\xe2\xe8\xed\xe4.esp";
    const Case cases[] = {
        {"byte-exact", {"Caf\xe9.esp", "Caf\xc3\xa9.esp"}, "Caf\xe9.esp"},
        {"letter case", {"CAF\xe9.ESP", "Caf\xc3\xa9.esp"}, "Caf\xe9.esp"},
        {"cp1252 in other letter case", {"CAF\xc3\xa9.ESP"}, "caf\xe9.esp"},
        {"cp1252 before cp1251",
         {"\xc3\x8c\xc3\xae\xc3\xb0\xc3\xb0\xc3\xae\xc3\xa2\xc3\xa8\xc3\xad\xc3\xa4.esp",
          "\xd0\x9c\xd0\xbe\xd1\x80\xd1\x80\xd0\xbe\xd0\xb2\xd0\xb8\xd0\xbd\xd0\xb4.esp"},
         cyrillic},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Remove("Data Files");
        std::filesystem::create_directories(Path("Data Files"));
        for (size_t i = 0; i < c.on_disk.size(); ++i) Write("Data Files/" + c.on_disk[i], std::to_string(i));
        const std::string path = "Data Files\\" + c.spelled;
        std::FILE* file = Os_Open_File(path.c_str(), "rb");
        ASSERT_NE(file, nullptr);
        EXPECT_EQ(std::fgetc(file), '0');
        std::fclose(file);
    }
}

TEST_F(Platform, NameThatMatchesNothingIsCreatedByteForByte)
{
    Write("Data Files/Caf\xc3\xa9.esp", "");  // another name in UTF-8 beside it changes nothing
    for (const char* name : {"Nouveau Caf\xe9.esp", "Caf\xe9 Nouveau.esp", "\xcc\xee\xf0.esp"}) {
        SCOPED_TRACE(name);
        const std::string path = std::string("Data Files\\") + name;
        std::FILE* file = Os_Open_File(path.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fclose(file);
        EXPECT_TRUE(Exists(std::string("Data Files/") + name));
    }
}

// A few bytes of each page that tell the pages apart, and the bytes that a page leaves
// undefined; the tables were checked whole against another implementation of the pages.
TEST(CodePages, ReadNamesAsTheGameSpellsThem)
{
    struct Case {
        int page;
        std::string name;
        std::string utf8;  // empty: no reading in this page
    };
    const Case cases[] = {
        {0, "\x80\x8a\x9f\xe9\xff", "\xe2\x82\xac\xc5\xa0\xc5\xb8\xc3\xa9\xc3\xbf"},  // € Š Ÿ é ÿ
        {1, "\xc0\xff\xa8\xb9\x80", "\xd0\x90\xd1\x8f\xd0\x81\xe2\x84\x96\xd0\x82"},  // А я Ё № Ђ
        {2, "\x8a\xf8\xff\xa3\xe9", "\xc5\xa0\xc5\x99\xcb\x99\xc5\x81\xc3\xa9"},      // Š ř ˙ Ł é
        {0,
         "a\x81"
         "b",
         ""},
        {0, "x\x8d", ""},
        {1, "\x98", ""},
        {2, "\x83\x88", ""},
        {0, "Morrowind.esm", ""},  // nothing from 0x80 up: the name as it is
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string utf8 = "unchanged";
        EXPECT_EQ(Code_Page_Name_In_Utf8(c.page, c.name, utf8), c.utf8.empty() ? 0 : 1);
        EXPECT_EQ(utf8, c.utf8.empty() ? "unchanged" : c.utf8);
    }
}
