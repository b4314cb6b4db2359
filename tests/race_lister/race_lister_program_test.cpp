// The race-lister program run in a game folder as the user runs it: the data-file lister
// first, then the race lister, natively or as Windows programs under Wine.
#include "tests/support/program_harness.h"
#include "tests/support/scratch_game.h"
#include "tools/tes3/tes3_builder.h"

#include <string>

using namespace std::string_literals;
using tes3::Body_Record;

namespace {

const std::string Data_File_List_Closing = Closing_Line("data-file-lister");
const std::string Race_Closing = Closing_Line("race-lister");
const std::string Race_Log_Line = "See 'Vorel OXT Files\\Race Errors.txt' for details";
const std::string Marker = "Data Files\\Meshes\\Vorel\\Vorel_Error_Marker.nif*";

// A data file: its header, then the records.
std::string Plugin(const std::string& records) { return tes3::Header_Record(nullptr, 0) + records; }

// The eleven body parts of one race and sex, with "MODL" values "<prefix>\<part>.nif".
std::string Eleven_Parts(const std::string& race, const std::string& prefix, int flags)
{
    std::string records;
    for (int part = 2; part <= 12; ++part) {
        std::string number = std::to_string(part);
        records += Body_Record(prefix + "_" + number, prefix + "\\" + number + ".nif", race, part, flags);
    }
    return records;
}

std::string Eleven_Fields(const std::string& prefix)
{
    std::string fields;
    for (int part = 2; part <= 12; ++part)
        fields += "Data Files\\Meshes\\" + prefix + "\\" + std::to_string(part) + ".nif*";
    return fields;
}

}  // namespace

using RaceListerProgram = Scratch_Game;

TEST_F(RaceListerProgram, ListsTheRacesOfTheSavesDataFiles)
{
    const std::string masters[] = {"Morrowind.esm", "Vorel.esp"};
    Write("Saves/Vorel.ess", tes3::Header_Record(masters, 2));
    // Vorel.esp is loaded last, so it is listed and scanned first: its Nord neck wins.
    Write("Data Files/Vorel.esp", Plugin(Body_Record("vorel_nord_neck", "vorel\\neck.nif", "Nord", 2, 0)));
    Write("Data Files/Morrowind.esm",
          Plugin(Eleven_Parts("Nord", "nord_m", 0) + Body_Record("nord_hands_1st", "fp\\hands.nif", "Argonian", 5, 0) +
                 Eleven_Parts("Argonian", "arg_f", 1) + Body_Record("kha_neck", "kha\\neck.nif", "Khajiit", 2, 0)));
    ASSERT_NE(Run_Program("data-file-lister", root, Data_File_List_Closing).find(Data_File_List_Closing),
              std::string::npos);

    const std::string console = Run_Program("race-lister", root, Race_Log_Line);
    EXPECT_EQ(console, "Adding Male Race: Nord\n\nAdding Female Race: Argonian\n\nAdding Male Race: Khajiit\n\n"
                       "Done!\n" +
                           Race_Closing + "\nMeshes for some race body parts could not be found!\n" + Race_Log_Line +
                           "\n");

    std::string nord = "Nord*Data Files\\Meshes\\vorel\\neck.nif*Data Files\\Meshes\\nord_m\\3.nif*"
                       "Data Files\\Meshes\\Vorel\\Vorel_No_UTA_Reg.NIF*";
    for (int part = 5; part <= 12; ++part) nord += "Data Files\\Meshes\\nord_m\\" + std::to_string(part) + ".nif*";
    std::string khajiit = "Khajiit*Data Files\\Meshes\\kha\\neck.nif*";
    for (int i = 0; i < 10; ++i) khajiit += Marker;
    EXPECT_EQ(Read("Vorel_MRace_List.txt"), nord + "\r\n" + khajiit + "\r\n");
    EXPECT_EQ(Read("Vorel_FRace_List.txt"), "Argonian*" + Eleven_Fields("arg_f") + "\r\n");

    std::string log;
    for (const char* part :
         {"Chest", "Groin", "Hands", "Wrist", "Forearm", "Upperarm", "Foot", "Ankle", "Knee", "Upperleg"})
        log += "Could not find mesh for male body part: "s + part + "\r\nUsed by male race: Khajiit\r\n\r\n";
    EXPECT_EQ(Read("Vorel OXT Files/Race Errors.txt"), log);
}

TEST_F(RaceListerProgram, FindsDataFilesInAnyLetterCaseAndReportsNoMisses)
{
    Write("Vorel OXT Files/Vorel_Data_File_List.txt", "1\r\nMORROWIND.esm\r\n");
    Write("Data Files/morrowind.ESM", Plugin(Eleven_Parts("Dark Elf", "de_f", 1)));
    const std::string console = Run_Program("race-lister", root, Race_Closing);
    EXPECT_EQ(console, "Adding Female Race: Dark Elf\n\nDone!\n" + Race_Closing + "\n");
    EXPECT_EQ(Read("Vorel_MRace_List.txt"), ""s);
    EXPECT_EQ(Read("Vorel_FRace_List.txt"), "Dark Elf*" + Eleven_Fields("de_f") + "\r\n");
    EXPECT_EQ(Read("Vorel OXT Files/Race Errors.txt"), ""s);
}

// What a killed run left beside the race lists is removed by the next.
TEST_F(RaceListerProgram, LeftoversOfAKilledRunAreRemoved)
{
    const std::string masters[] = {"Morrowind.esm"};
    Write("Saves/Vorel.ess", tes3::Header_Record(masters, 1));
    Write("Data Files/Morrowind.esm", Plugin(Eleven_Parts("Nord", "n", 0)));
    for (const char* leftover : {"Vorel_MRace_List.txt.Vorel_Temp", "Vorel_FRace_List.txt.Vorel_Temp"})
        Write(leftover, "half");
    Run_Program("data-file-lister", root, Data_File_List_Closing);
    Run_Program("race-lister", root, Race_Closing);
    EXPECT_FALSE(Exists("Vorel_MRace_List.txt.Vorel_Temp"));
    EXPECT_FALSE(Exists("Vorel_FRace_List.txt.Vorel_Temp"));
    EXPECT_EQ(Read("Vorel_MRace_List.txt").value_or("").rfind("Nord*", 0), 0u);
}
