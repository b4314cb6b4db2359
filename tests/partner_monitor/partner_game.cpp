// The partner monitor's scratch game.
#include "tests/partner_monitor/partner_game.h"

#include <filesystem>

const char* const Body_Part_Words[11] = {"Neck",     "Chest", "Groin", "Hands", "Wrist",   "Forearm",
                                         "Upperarm", "Foot",  "Ankle", "Knee",  "Upperleg"};

namespace {

// The set's file names, written out as the game knows them.
const char* const Set_Words[13] = {"Head",    "Hair",  "Neck", "Chest", "Groin", "Hand", "Wrist",
                                   "Forearm", "Uparm", "Foot", "Ankle", "Knee",  "Upleg"};

}  // namespace

std::string Searching_Lines(const std::string& id) { return "Searching for NPC ID: " + id + "\n"; }

std::string Overwritten(std::string file, const std::string& bytes)
{
    if (file.size() < bytes.size()) file.resize(bytes.size());
    return file.replace(0, bytes.size(), bytes);
}

std::string NPC_Line(const std::string& id, const std::string& head, const std::string& hair, const std::string& race,
                     const std::string& sex, const std::string& name)
{
    return id + "<" + head + ">" + hair + "<" + race + ">" + sex + "<" + name + "\r\n";
}

std::string Filler_NPC_Lines(int count)
{
    std::string lines;
    for (int k = 0; k < count; ++k)
        lines += NPC_Line("filler_" + std::to_string(k), Source_Mesh("head_filler"), Source_Mesh("hair_filler"), "Nord",
                          "0", "Filler Person " + std::to_string(k));
    return lines;
}

std::string Source_Mesh(const std::string& name) { return "Data Files\\Meshes\\src\\" + name + ".nif"; }

std::string Race_Line(const std::string& race, const std::string& prefix)
{
    std::string line = race + "*";
    for (const char* word : Body_Part_Words) line += Source_Mesh(prefix + word) + "*";
    return line + "\r\n";
}

void Partner_Game::SetUp()
{
    Scratch_Game::SetUp();
    std::filesystem::create_directories(Path("Data Files/Meshes/src"));
    Write("Data Files/Meshes/Vorel/Vorel_Error_Marker.nif", "marker");
    for (bool female : {false, true})
        for (int slot = 0; slot < 13; ++slot) Write(Set_Path(female, slot), "old");
}

void Partner_Game::Write_Source(const std::string& name) const
{
    Write("Data Files/Meshes/src/" + name + ".nif", name);
}

void Partner_Game::Write_Race_Sources(const std::string& prefix) const
{
    for (const char* word : Body_Part_Words) Write_Source(prefix + word);
}

std::string Partner_Game::Set_Path(bool female, int slot)
{
    return std::string("Data Files/Meshes/Vorel/") + (female ? "Vorel_Fem1_" : "Vorel_Male1_") + Set_Words[slot] +
           "0.NIF";
}

std::vector<std::string> Partner_Game::Set_Contents(bool female) const
{
    std::vector<std::string> contents;
    for (int slot = 0; slot < 13; ++slot) contents.push_back(Read(Set_Path(female, slot)).value_or("<missing>"));
    return contents;
}

std::vector<std::string> Partner_Game::Expected_Set(const std::string& head, const std::string& hair,
                                                    const std::string& prefix)
{
    std::vector<std::string> contents = {head, hair};
    for (const char* word : Body_Part_Words) contents.push_back(prefix + word);
    return contents;
}

std::vector<std::string> Partner_Game::Head_And_Hair_Only(const std::string& head, const std::string& hair)
{
    std::vector<std::string> contents(13, "old");
    contents[0] = head;
    contents[1] = hair;
    return contents;
}

std::vector<std::string> Partner_Game::Untouched_Set() { return std::vector<std::string>(13, "old"); }

void Partner_Game::Write_World() const
{
    for (const char* prefix : {"nord_m_", "redguard_m_", "nord_f_", "breton_f_"}) Write_Race_Sources(prefix);
    for (const char* name : {"head_hero", "hair_hero", "head_lady", "hair_lady", "head_cat", "hair_cat"})
        Write_Source(name);
    Write("Vorel_MRace_List.txt", Race_Line("Redguard", "redguard_m_") + Race_Line("Nord", "nord_m_"));
    Write("Vorel_FRace_List.txt", Race_Line("Breton", "breton_f_") + Race_Line("Nord", "nord_f_"));
    Write("Vorel_NPC_List.txt",
          NPC_Line("m_hero", Source_Mesh("head_hero"), Source_Mesh("hair_hero"), "Nord", "0", "Hero Man") +
              NPC_Line("f_lady", Source_Mesh("head_lady"), Source_Mesh("hair_lady"), "Nord", "1", Lady_Name) +
              NPC_Line("m_cat", Source_Mesh("head_cat"), Source_Mesh("hair_cat"), "Khajiit", "0", "Lost Cat"));
}

std::string Found_Lines(const std::string& name, const std::string& head, const std::string& hair,
                        const std::string& race)
{
    return "ID found! Changing lover's appearance to: " + name + "\nHead: " + head + "\nHair: " + hair +
           "\nRace: " + race + "\n";
}

std::string Changed_Lines(bool female)
{
    return female ? "Changed Vorel female mesh set to this mesh\n\n" : "Changed Vorel male mesh set to this mesh\n\n";
}

std::string Race_Missing_Lines(const std::string& race, bool female, bool unlisted)
{
    const std::string list = female ? "Vorel_FRace_List.txt" : "Vorel_MRace_List.txt";
    return "ERROR!!! Could not find Race: " + race + "in " + list + "! See the OXT Errors Log for details\n" +
           (unlisted ? "Error! '" + list + "' is missing or lists nothing: run race-lister first\n" : "") + "\n";
}

std::string NPC_Missing_Lines(const std::string& id, bool unlisted)
{
    return "ERROR!!! Could not find NPC: " + id +
           " in Vorel_NPC_List.txt!\nSee the OXT Errors Log for details\nTry choosing a different lover!\n" +
           (unlisted ? "Error! 'Vorel_NPC_List.txt' is missing or lists nothing: run mesh-lister first\n" : "") + "\n";
}

std::string Race_Missing_Entry(const std::string& race, const std::string& name, const std::string& id)
{
    return "Could not find Race: " + race + "\r\nUsed by NPC: " + name + "\r\nNPC's ID: " + id + "\r\n\r\n";
}

std::string NPC_Missing_Entry(const std::string& id) { return "Could not find NPC ID: " + id + "\r\n\r\n"; }
