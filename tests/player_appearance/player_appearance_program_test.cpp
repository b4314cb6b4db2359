// The player-appearance program run in a game folder after the data-file lister, as the user
// runs them, with the race lists as the race lister writes them.
#include "tests/support/bound_user.h"
#include "tests/support/program_harness.h"
#include "tests/support/scratch_game.h"
#include "tools/tes3/tes3_builder.h"

#include <filesystem>
#include <string>

using namespace std::string_literals;

namespace {

const char* const Set_Words[] = {"Head",    "Hair",  "Neck", "Chest", "Groin", "Hand", "Wrist",
                                 "Forearm", "Uparm", "Foot", "Ankle", "Knee",  "Upleg"};
const char* const Part_Words[] = {"neck",     "chest", "groin", "hands", "wrist",   "forearm",
                                  "upperarm", "foot",  "ankle", "knee",  "upperleg"};
const std::string Lister_Closing = Closing_Line("data-file-lister");

std::string Mesh_Bytes(const std::string& name) { return "NIF " + name + "\r\n\x1a\0\n"s; }

}  // namespace

class PlayerAppearanceProgram : public Scratch_Game {
protected:
    void SetUp() override
    {
        Scratch_Game::SetUp();
        std::filesystem::create_directories(Path("Data Files/Meshes/b"));
        Write("Data Files/Meshes/Vorel/Vorel_Error_Marker.nif", Mesh_Bytes("marker"));
        for (const char* sex : {"Male1_", "Fem1_"})
            for (const char* word : Set_Words) Write(Set_File(sex, word), "old");
        // The plugin loads after the master, so it stands first in the data-file list and its
        // hair wins; the head is only in the master. The ID letter case differs from the save's.
        Write("Data Files/Morrowind.esm",
              tes3::Body_Record("B_N_Dark Elf_F_Head_01", "b\\Head_01.NIF", "Dark Elf", 0, 1) +
                  tes3::Body_Record("vorel_hair", "b\\old_hair.nif", "Dark Elf", 1, 1));
        Write("Data Files/Vorel.esp", tes3::Body_Record("vorel_hair", "b\\hair.nif", "Dark Elf", 1, 1));
        for (const char* name : {"head_01", "hair", "old_hair"})
            Write("Data Files/Meshes/b/" + std::string(name) + ".nif", Mesh_Bytes(name));
        for (const char* part : Part_Words)
            Write("Data Files/Meshes/b/f_" + std::string(part) + ".nif", Mesh_Bytes(part));
        Write("Vorel_FRace_List.txt", Race_Line("Nord", "b\\x_") + Race_Line("Dark Elf", "b\\f_"));
        Write("Vorel_MRace_List.txt", Race_Line("Dark Elf", "b\\m_"));
    }

    static std::string Set_File(const std::string& sex, const std::string& word)
    {
        return "Data Files/Meshes/Vorel/Vorel_" + sex + word + "0.NIF";
    }
    static std::string Race_Line(const std::string& race, const std::string& prefix)
    {
        std::string line = race + "*";
        for (const char* part : Part_Words) line += "Data Files\\Meshes\\" + prefix + part + ".nif*";
        return line + "\r\n";
    }
    // The files of one sex from first_slot on still hold what the test put there.
    void Expect_Old(const std::string& sex, int first_slot = 0)
    {
        for (int slot = first_slot; slot < 13; ++slot)
            EXPECT_EQ(Read(Set_File(sex, Set_Words[slot])), "old"s) << sex << Set_Words[slot];
    }
    void Write_Save(const std::string& records)
    {
        const std::string masters[] = {"Morrowind.esm", "Vorel.esp"};
        Write("Saves/Vorel.ess", tes3::Header_Record(masters, 2) + records);
    }
    std::string Run_Pipeline(const std::string& closing_line)
    {
        const std::string lister = Run_Program("data-file-lister", root, Lister_Closing);
        EXPECT_NE(lister.find(Lister_Closing), std::string::npos) << lister;
        return Run_Program("player-appearance", root, closing_line);
    }
};

TEST_F(PlayerAppearanceProgram, FemalePlayerChangesTheFemaleSet)
{
    Write_Save(tes3::Npc_Record("Player", "Not Me", "Nord", "b_n_nord_m_head_01", "vorel_hair", 0) +
               tes3::Npc_Record("player", "Sample Heroine", "Dark Elf", "b_n_dark elf_f_head_01", "vorel_hair", 1));
    const std::string closing = "Vorel female player meshes have been changed to this appearance & race";
    EXPECT_EQ(Run_Pipeline(closing), "Player is a female Dark Elf\n\n"
                                     "Player's head BP name is: b_n_dark elf_f_head_01\n"
                                     "Found head BP in file: Morrowind.esm\n"
                                     "Uses mesh: Data Files\\Meshes\\b\\Head_01.NIF\n\n"
                                     "Player's hair BP name is: vorel_hair\n"
                                     "Found hair BP in file: Vorel.esp\n"
                                     "Uses mesh: Data Files\\Meshes\\b\\hair.nif\n\n"
                                     "Done!\n" +
                                         closing + "\n");
    EXPECT_EQ(Read(Set_File("Fem1_", "Head")), Mesh_Bytes("head_01"));
    EXPECT_EQ(Read(Set_File("Fem1_", "Hair")), Mesh_Bytes("hair"));
    for (int slot = 0; slot < 11; ++slot)
        EXPECT_EQ(Read(Set_File("Fem1_", Set_Words[slot + 2])), Mesh_Bytes(Part_Words[slot])) << Set_Words[slot + 2];
    Expect_Old("Male1_");
    EXPECT_EQ(Read("Vorel OXT Files/Copy Errors.txt"), ""s);
}

TEST_F(PlayerAppearanceProgram, MissingMeshesAndAMissingRaceAreReported)
{
    // The male list lacks the race, and the head's mesh is missing.
    Remove("Data Files/Meshes/b/head_01.nif");
    Write("Vorel_MRace_List.txt", Race_Line("Nord", "b\\f_"));
    Write_Save(tes3::Npc_Record("player", "Sample Hero", "Dark Elf", "b_n_dark elf_f_head_01", "vorel_nowhere", 0));
    const std::string closing = "Only the head and hair of the Vorel male player meshes have been changed";
    EXPECT_EQ(Run_Pipeline(closing), "Player is a male Dark Elf\n\n"
                                     "Player's head BP name is: b_n_dark elf_f_head_01\n"
                                     "Found head BP in file: Morrowind.esm\n"
                                     "Uses mesh: Data Files\\Meshes\\b\\Head_01.NIF\n\n"
                                     "Player's hair BP name is: vorel_nowhere\n"
                                     "Could not find hair BP in any data file\n"
                                     "Uses mesh: Data Files\\Meshes\\Vorel\\Vorel_Error_Marker.nif\n\n"
                                     "Error! Could not find file: Data Files\\Meshes\\b\\Head_01.NIF\n"
                                     "Copying default file instead\n"
                                     "See 'Vorel OXT Files\\Copy Errors.txt' for details\n\n"
                                     "Done!\n"
                                     "Could not find race 'Dark Elf' in 'Vorel_MRace_List.txt'\n" +
                                         closing + "\n");
    EXPECT_EQ(Read(Set_File("Male1_", "Head")), Mesh_Bytes("marker"));
    EXPECT_EQ(Read(Set_File("Male1_", "Hair")), Mesh_Bytes("marker"));
    Expect_Old("Male1_", 2);
    Expect_Old("Fem1_");
    EXPECT_EQ(Read("Vorel OXT Files/Copy Errors.txt"),
              "Could not find file: Data Files\\Meshes\\b\\Head_01.NIF\r\n"
              "To replace file: Data Files\\Meshes\\Vorel\\Vorel_Male1_Head0.NIF\r\n\r\n"s);
}

TEST_F(PlayerAppearanceProgram, SaveWithoutThePlayerChangesNothing)
{
    Write_Save(tes3::Npc_Record("player2", "Not Me", "Dark Elf", "b_n_dark elf_f_head_01", "vorel_hair", 1));
    const std::string closing = "No Vorel player meshes have been changed";
    EXPECT_EQ(Run_Pipeline(closing),
              "Could not find the player's record in 'Saves\\Vorel.ess'\nDone!\n" + closing + "\n");
    Expect_Old("Male1_");
    Expect_Old("Fem1_");
}

// Mesh-set files that cannot be written are said, logged, and not claimed changed. Natively
// they are read-only files, for a user whom that binds; under Wine, where the tests run as a
// user that read-only files do not bind, folders stand in their place.
TEST_F(PlayerAppearanceProgram, MeshSetThatCannotBeWrittenIsNotClaimedChanged)
{
    Write_Save(tes3::Npc_Record("player", "Sample Heroine", "Dark Elf", "b_n_dark elf_f_head_01", "vorel_hair", 1));
    const bool wine = Running_Under_Wine();
    std::string said;
    for (const char* word : Set_Words) {
        const std::string file = Set_File("Fem1_", word);
        if (wine) {
            std::filesystem::remove(Path(file));
            std::filesystem::create_directory(Path(file));
        } else {
            Make_Read_Only(Path(file));
        }
        said += "Error! Could not write file: Data Files\\Meshes\\Vorel\\Vorel_Fem1_"s + word +
                "0.NIF\nSee 'Vorel OXT Files\\Copy Errors.txt' for details\n\n";
    }
    const std::string closing = "Vorel female player meshes have not been changed";
    Hand_Over_Game_Folder(root);
    const std::string lister = Run_Program("data-file-lister", root, Lister_Closing, !wine);
    const std::string console = Run_Program("player-appearance", root, closing, !wine);
    ASSERT_NE(console.find("\n\nDone!\n" + closing + "\n"), std::string::npos) << console;
    EXPECT_NE(console.find(said + "Done!"), std::string::npos) << console;
    if (!wine) Expect_Old("Fem1_");
    const std::string log = Read("Vorel OXT Files/Copy Errors.txt").value_or("");
    EXPECT_NE(log.find("Could not write file: Data Files\\Meshes\\Vorel\\Vorel_Fem1_Upleg0.NIF\r\n"
                       "With file: Data Files\\Meshes\\b\\f_upperleg.nif\r\n\r\n"),
              std::string::npos)
        << log;
}

// A mesh that is there but cannot be read (natively one the player may not read, under Wine a
// folder in its place) is no copy: its file of the set keeps what it held, the copy is said and
// logged, and the set is not claimed changed.
TEST_F(PlayerAppearanceProgram, MeshThatCannotBeReadLeavesItsFileAsItWas)
{
    Write_Save(tes3::Npc_Record("player", "Sample Heroine", "Dark Elf", "b_n_dark elf_f_head_01", "vorel_hair", 1));
    const bool wine = Running_Under_Wine();
    const std::string knee = Path("Data Files/Meshes/b/f_knee.nif");
    if (wine) {
        std::filesystem::remove(knee);
        std::filesystem::create_directory(knee);
    } else {
        std::filesystem::permissions(knee, std::filesystem::perms::none);
    }
    Write("Data Files/Meshes/Vorel/Vorel_Fem1_Head0.NIF.Vorel_Temp", "half");
    Hand_Over_Game_Folder(root);
    Run_Program("data-file-lister", root, Lister_Closing, !wine);
    const std::string closing = "Vorel female player meshes have not been wholly changed";
    const std::string console = Run_Program("player-appearance", root, closing, !wine);
    EXPECT_NE(console.find("\n\nError! Could not read file: Data Files\\Meshes\\b\\f_knee.nif\n"
                           "See 'Vorel OXT Files\\Copy Errors.txt' for details\n\nDone!\n" +
                           closing + "\n"),
              std::string::npos)
        << console;
    EXPECT_EQ(Read(Set_File("Fem1_", "Knee")), "old"s);
    EXPECT_EQ(Read(Set_File("Fem1_", "Upleg")), Mesh_Bytes("upperleg"));
    EXPECT_EQ(Read("Vorel OXT Files/Copy Errors.txt"),
              "Could not read file: Data Files\\Meshes\\b\\f_knee.nif\r\n"
              "To replace file: Data Files\\Meshes\\Vorel\\Vorel_Fem1_Knee0.NIF\r\n\r\n"s);
    EXPECT_FALSE(Exists("Data Files/Meshes/Vorel/Vorel_Fem1_Head0.NIF.Vorel_Temp"));
}

// On a full disk no file of the set is cut: each keeps what it held, whole.
TEST_F(PlayerAppearanceProgram, FullDiskLeavesEveryFileOfTheSetWhole)
{
    Write_Save(tes3::Npc_Record("player", "Sample Heroine", "Dark Elf", "b_n_dark elf_f_head_01", "vorel_hair", 1));
    for (const char* name : {"head_01", "hair"})
        Write("Data Files/Meshes/b/" + std::string(name) + ".nif", std::string(9000, 'm'));
    for (const char* part : Part_Words)
        Write("Data Files/Meshes/b/f_" + std::string(part) + ".nif", std::string(9000, 'm'));
    Run_Program("data-file-lister", root, Lister_Closing);
    const std::string closing = "Vorel female player meshes have not been changed";
    const std::string console = Run_Program("player-appearance", root, closing, false, 4096);
    EXPECT_NE(console.find("Error! Could not write file: Data Files\\Meshes\\Vorel\\Vorel_Fem1_Upleg0.NIF\n"
                           "See 'Vorel OXT Files\\Copy Errors.txt' for details\n\nDone!\n" +
                           closing + "\n"),
              std::string::npos)
        << console;
    Expect_Old("Fem1_");
    for (const char* word : Set_Words) EXPECT_FALSE(Exists(Set_File("Fem1_", word) + ".Vorel_Temp")) << word;
}
