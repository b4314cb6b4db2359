// The fixed game of the fuzz targets, built record by record with the TES3 builder.
#include "fuzz/fuzz_fixtures.h"

#include "fuzz/fuzz_game.h"
#include "tools/tes3/tes3_builder.h"

using namespace std::string_literals;
using tes3::Body_Record;
using tes3::Npc_Record;

namespace {

constexpr int Male = 0;
constexpr int Female = 1;
constexpr int Head_Part = 0;
constexpr int Hair_Part = 1;
constexpr int Neck_Part = 2;
constexpr int Chest_Part = 3;
constexpr int Hands_Part = 5;

const std::string Race_Tail = "Data Files\\Meshes\\Vorel\\Vorel_Error_Marker.nif*";

std::string Race_Line(const std::string& race, const std::string& neck, const std::string& chest)
{
    std::string line = race + "*" + neck + "*" + chest + "*";
    for (int part = 3; part <= 11; ++part) line += Race_Tail;
    return line + "\r\n";
}

}  // namespace

std::string Fixed_Master_Bytes()
{
    const std::string none;
    std::string data = tes3::Header_Record(&none, 0);
    data += Body_Record("b_n_dark elf_m_neck", "b\\B_N_Dark Elf_M_Neck.nif", "Dark Elf", Neck_Part, Male);
    data += Body_Record("b_n_dark elf_m_chest", "b\\B_N_Dark Elf_M_Chest.nif", "Dark Elf", Chest_Part, Male);
    data += Body_Record("b_n_dark elf_m_hands.1st", "b\\B_N_Dark Elf_M_Hands.1st.nif", "Dark Elf", Hands_Part, Male);
    data += Body_Record("b_n_dark elf_f_neck", "b\\B_N_Dark Elf_F_Neck.nif", "Dark Elf", Neck_Part, Female);
    data += Body_Record(Fixed_Head_ID, "b\\B_N_Dark Elf_M_Head_01.nif", "Dark Elf", Head_Part, Male);
    data += Body_Record(Fixed_Hair_ID, "b\\B_N_Dark Elf_M_Hair_01.nif", "Dark Elf", Hair_Part, Male);
    data += Npc_Record("base_npc", "Base Npc", "Dark Elf", Fixed_Head_ID, Fixed_Hair_ID, 0x08);
    return data;
}

std::string Sample_Plugin_Bytes()
{
    const std::string master = Fixed_Master;
    std::string data = tes3::Header_Record(&master, 1);
    data += Body_Record("vorel_b_hair_braid", "h\\Vorel_Hair_Braid.nif", "Dark Elf", Hair_Part, Female);
    data += Body_Record("b_n_nord_m_knee", "b\\B_N_Nord_M_Knee.nif", "Nord", 11, Male);
    data +=
        Npc_Record("vorel_seryne", "Seryne Relas", "Dark Elf", "B_N_Dark Elf_M_Head_01", "vorel_b_hair_braid", 0x01);
    data += Npc_Record("vorel_athyn", "Athyn", "Nord", Fixed_Head_ID, Fixed_Hair_ID, 0x08);
    // A tag that fails the record test: "NAME" too far on.
    data += "NPC_"s + tes3::Le32(20) + std::string(12, 'x') + tes3::String_Subrecord("NAME", "fake");
    return data;
}

std::string Sample_Save_Bytes(int female)
{
    const std::string masters[] = {Fixed_Master, Fuzzed_Data_File};
    std::string data = tes3::Header_Record(masters, 2);
    data += tes3::Record("GLOB", tes3::String_Subrecord("NAME", "AO_NPC_Count") + tes3::Subrecord("FNAM", "s"));
    data += Npc_Record("player", "Hero", "Dark Elf", Fixed_Head_ID, "vorel_b_hair_braid", female ? 0x09u : 0x08u);
    return data;
}

std::string Fixture_Data_File_List() { return "2\r\n"s + Fuzzed_Data_File + "\r\n" + Fixed_Master + "\r\n"; }

std::string Fixture_Census_List() { return Fuzzed_Data_File + "*2\r\n"s + Fixed_Master + "*1\r\n"; }

std::string Fixture_NPC_List()
{
    return "vorel_seryne<B_N_Dark Elf_M_Head_01>vorel_b_hair_braid<Dark Elf>1<Seryne Relas\r\n"
           "vorel_athyn<b_n_dark elf_m_head_01>b_n_dark elf_m_hair_01<Nord>0<Athyn\r\n";
}

std::string Fixture_Merged_NPC_List()
{
    return "vorel_seryne<Data Files\\Meshes\\b\\B_N_Dark Elf_M_Head_01.nif>"
           "Data Files\\Meshes\\h\\Vorel_Hair_Braid.nif<Dark Elf>1<Seryne Relas\r\n"
           "vorel_athyn<Data Files\\Meshes\\b\\B_N_Dark Elf_M_Head_01.nif>"
           "Data Files\\Meshes\\b\\B_N_Dark Elf_M_Hair_01.nif<Nord>0<Athyn\r\n"
           "base_npc<Data Files\\Meshes\\b\\B_N_Dark Elf_M_Head_01.nif>"
           "Data Files\\Meshes\\Vorel\\Vorel_Error_Marker.nif<Dark Elf>0<Base Npc\r\n";
}

std::string Fixture_Race_List(int female)
{
    if (female) return Race_Line("Dark Elf", "Data Files\\Meshes\\b\\B_N_Dark Elf_F_Neck.nif", Race_Tail.substr(0, 46));
    return Race_Line("Dark Elf", "Data Files\\Meshes\\b\\B_N_Dark Elf_M_Neck.nif",
                     "Data Files\\Meshes\\b\\B_N_Dark Elf_M_Chest.nif");
}

void Write_Fixture_Game()
{
    Write_Game_File("Data Files/Base.esm", Fixed_Master_Bytes());
    Write_Game_File("Vorel OXT Files/Vorel_Data_File_List.txt", Fixture_Data_File_List());
    Write_Game_File("Vorel_MRace_List.txt", Fixture_Race_List(0));
    Write_Game_File("Vorel_FRace_List.txt", Fixture_Race_List(1));
    Write_Game_File("Data Files/Meshes/Vorel/Vorel_Error_Marker.nif", "error marker\r\n\x1a"s);
    Write_Game_File("Data Files/Meshes/Vorel/Vorel_No_UTA_Reg.NIF", "groin\r\n"s);
    Write_Game_File("Data Files/Meshes/b/B_N_Dark Elf_M_Head_01.nif", "head\r\n"s);
    Write_Game_File("Data Files/Meshes/b/B_N_Dark Elf_M_Neck.nif", "neck\r\n"s);
}

void Reset_Fixture_Game(std::string_view fuzzed_data_file)
{
    Reset_Fuzz_Game();
    Write_Fixture_Game();
    Write_Game_File("Data Files/Fuzz.esp", fuzzed_data_file);
}
