// Writes a small, realistic game root folder for trying the programs: a save naming three
// data files, masters and a plugin with "NPC_" and "BODY" records, the meshes they name,
// the mod's own meshes and the companion folders. Usage: make-sample-game <folder>
#include "tools/tes3/tes3_builder.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using tes3::Body_Record;
using tes3::Npc_Record;

namespace {

constexpr int Female = 1;
constexpr int Male = 0;

// The eleven body parts in "BYDT" order (part numbers 2 to 12) as mesh names spell them.
const char* const Part_Names[] = {"Neck",      "Chest", "Groin", "Hands", "Wrist",    "Forearm",
                                  "Upper Arm", "Foot",  "Ankle", "Knee",  "Upper Leg"};

struct Game {
    fs::path root;
    std::vector<std::string> meshes;  // every mesh a record names, relative to "Data Files\Meshes\"
};

// The path of a mesh as this folder stores it: in lower case, as a game folder copied
// from Windows may well hold it, while the data files spell it in mixed case.
std::string On_Disk(const std::string& windows_path)
{
    std::string path = windows_path;
    for (char& c : path) {
        if (c == '\\') c = '/';
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return path;
}

// Body parts of one race and sex; skip names a part (2 to 12) left out on purpose.
std::string Race_Parts(Game& game, const std::string& race, const std::string& tag, int flags, int skip = -1)
{
    std::string records;
    for (int part = 2; part <= 12; ++part) {
        if (part == skip) continue;
        const std::string word = Part_Names[part - 2];
        const std::string mesh = "b\\B_N_" + tag + "_" + (flags ? "F" : "M") + "_" + word + ".NIF";
        records += Body_Record("b_n_" + tag + "_" + (flags ? "f" : "m") + "_" + word, mesh, race, part, flags);
        game.meshes.push_back(mesh);
    }
    return records;
}

std::string Head_Or_Hair(Game& game, const std::string& id, const std::string& mesh, const std::string& race, int part,
                         int flags)
{
    game.meshes.push_back(mesh);
    return Body_Record(id, mesh, race, part, flags);
}

std::string Header(const std::vector<std::string>& masters)
{
    return tes3::Header_Record(masters.data(), static_cast<int>(masters.size()));
}

std::string Morrowind_Esm(Game& game)
{
    std::string data = Header({});
    data += Race_Parts(game, "Dark Elf", "Dark Elf", Male);
    data += Race_Parts(game, "Dark Elf", "Dark Elf", Female);
    data += Race_Parts(game, "Nord", "Nord", Male);
    data += Race_Parts(game, "High Elf", "High Elf", Male, 11);  // no Knee: the race list marks it
    // The first-person hands are not the race's hands.
    data += Body_Record("b_n_dark elf_m_hands.1st", "b\\B_N_Dark Elf_M_Hands.1st.NIF", "Dark Elf", 5, Male);
    data += Head_Or_Hair(game, "b_n_dark elf_m_head_01", "b\\B_N_Dark Elf_M_Head_01.NIF", "Dark Elf", 0, Male);
    data += Head_Or_Hair(game, "b_n_dark elf_m_head_02", "b\\B_N_Dark Elf_M_Head_02.NIF", "Dark Elf", 0, Male);
    data += Head_Or_Hair(game, "b_n_dark elf_m_hair_01", "b\\B_N_Dark Elf_M_Hair_01.NIF", "Dark Elf", 1, Male);
    data += Head_Or_Hair(game, "b_n_dark elf_m_hair_03", "b\\B_N_Dark Elf_M_Hair_03.NIF", "Dark Elf", 1, Male);
    data += Head_Or_Hair(game, "b_n_dark elf_f_head_01", "b\\B_N_Dark Elf_F_Head_01.NIF", "Dark Elf", 0, Female);
    data += Head_Or_Hair(game, "b_n_dark elf_f_hair_02", "b\\B_N_Dark Elf_F_Hair_02.NIF", "Dark Elf", 1, Female);
    data += Head_Or_Hair(game, "b_n_nord_m_head_01", "b\\B_N_Nord_M_Head_01.NIF", "Nord", 0, Male);
    data += Head_Or_Hair(game, "b_n_nord_m_hair_01", "b\\B_N_Nord_M_Hair_01.NIF", "Nord", 1, Male);
    data += Head_Or_Hair(game, "b_n_high elf_m_head_01", "b\\B_N_High Elf_M_Head_01.NIF", "High Elf", 0, Male);
    data += Head_Or_Hair(game, "b_n_high elf_m_hair_01", "b\\B_N_High Elf_M_Hair_01.NIF", "High Elf", 1, Male);
    data += Npc_Record("fargoth", "Fargoth", "Wood Elf", "b_n_dark elf_m_head_01", "b_n_dark elf_m_hair_01", 0x08);
    data +=
        Npc_Record("vorel_ilmeni", "Ilmeni Dren", "Dark Elf", "b_n_dark elf_f_head_01", "b_n_dark elf_f_hair_02", 0x09);
    data += Npc_Record("vorel_hrolf", "Hrolf the Tall", "Nord", "b_n_nord_m_head_01", "b_n_nord_m_hair_01", 0x08);
    data += Npc_Record("vorel_caius", "Caius Aurelius", "High Elf", "b_n_high elf_m_head_01", "b_n_high elf_m_hair_01",
                       0x18);
    return data;
}

std::string Tribunal_Esm(Game& game)
{
    // Body parts only: a data file without NPCs.
    std::string data = Header({"Morrowind.esm"});
    data += Head_Or_Hair(game, "b_n_dark elf_m_head_07", "tr\\b\\TR_Dark Elf_M_Head_07.NIF", "Dark Elf", 0, Male);
    return data;
}

std::string Sample_Plugin(Game& game)
{
    std::string data = Header({"Morrowind.esm", "Tribunal.esm"});
    data += Head_Or_Hair(game, "vorel_b_hair_braid", "h\\Vorel_Hair_Braid.NIF", "Dark Elf", 1, Female);
    data +=
        Npc_Record("vorel_seryne", "Seryne Relas", "Dark Elf", "B_N_Dark Elf_F_Head_01", "vorel_b_hair_braid", 0x01);
    data += Npc_Record("vorel_athyn", "Athyn Sarethi", "Dark Elf", "b_n_dark elf_m_head_07", "b_n_dark elf_m_hair_03",
                       0x08);
    // A head that no data file defines: the mesh lister logs it.
    data +=
        Npc_Record("vorel_lost", "Lost Wanderer", "Dark Elf", "vorel_b_head_missing", "b_n_dark elf_m_hair_01", 0x08);
    // A race without body parts: the partner monitor finds the NPC but not the race.
    data += Npc_Record("vorel_skink", "Skink-in-Tree", "Argonian", "b_n_dark elf_m_head_02", "b_n_dark elf_m_hair_01",
                       0x08);
    return data;
}

std::string Save_File()
{
    std::string data = Header({"Morrowind.esm", "Tribunal.esm", "Vorel Sample.esp"});
    data += tes3::Record("GLOB", tes3::String_Subrecord("NAME", "AO_NPC_Count") + tes3::Subrecord("FNAM", "s"));
    data += Npc_Record("player", "Sample Hero", "Dark Elf", "b_n_dark elf_m_head_02", "b_n_dark elf_m_hair_03", 0x08);
    return data;
}

bool Write(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    if (tes3::Write_File(path.string(), bytes)) return true;
    std::fprintf(stderr, "cannot write %s\n", path.string().c_str());
    return false;
}

// A stand-in for a mesh: a few bytes that name it, with the bytes a text copy would change.
std::string Placeholder_Mesh(const std::string& name)
{
    std::string bytes = "NIF stand-in\r\n\x1a";
    bytes += '\0';
    return bytes + name + "\n";
}

bool Write_Meshes(const Game& game)
{
    bool written = true;
    for (const std::string& mesh : game.meshes)
        written &= Write(game.root / "Data Files" / "Meshes" / On_Disk(mesh), Placeholder_Mesh(mesh));
    const fs::path vorel = game.root / "Data Files" / "Meshes" / "Vorel";
    written &= Write(vorel / "Vorel_Error_Marker.nif", Placeholder_Mesh("Vorel_Error_Marker"));
    for (const char* race : {"Br", "De", "He", "Im", "No", "Rg", "We", "Or"})
        written &= Write(vorel / ("Vorel_" + std::string(race) + "_UTA_Reg.NIF"), Placeholder_Mesh(race));
    const char* words[] = {"Head",    "Hair",  "Neck", "Chest", "Groin", "Hand", "Wrist",
                           "Forearm", "Uparm", "Foot", "Ankle", "Knee",  "Upleg"};
    for (const char* sex : {"Male1", "Fem1"})
        for (const char* word : words)
            written &= Write(vorel / ("Vorel_" + std::string(sex) + "_" + word + "0.NIF"), Placeholder_Mesh("default"));
    return written;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-sample-game <folder>\n");
        return 2;
    }
    Game game{fs::path(argv[1]), {}};
    fs::create_directories(game.root / "Vorel OXT Files" / "NPC Lists");
    fs::create_directories(game.root / "Vorel OXT Files" / "Mesh Lists");
    fs::create_directories(game.root / "Data Files" / "MWSE");
    bool written = Write(game.root / "Data Files" / "Morrowind.esm", Morrowind_Esm(game));
    written &= Write(game.root / "Data Files" / "Tribunal.esm", Tribunal_Esm(game));
    written &= Write(game.root / "Data Files" / "Vorel Sample.esp", Sample_Plugin(game));
    written &= Write(game.root / "Saves" / "Vorel.ess", Save_File());
    written &= Write_Meshes(game);
    return written ? 0 : 1;
}
