// Writes the seed corpora of the fuzz targets, one folder per target, from the fixed game's
// records and lists and a few malformed variants of them. Usage: make-fuzz-corpus <folder>
#include "fuzz/fuzz_fixtures.h"
#include "fuzz/fuzz_game.h"
#include "tools/tes3/tes3_builder.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace std::string_literals;
using tes3::Le32;
using tes3::String_Subrecord;

namespace {

struct Seed {
    const char* target;
    const char* name;
    std::string bytes;
};

std::string Joined(const std::vector<std::string>& pieces)
{
    std::string input;
    for (size_t i = 0; i < pieces.size(); ++i) input += (i > 0 ? std::string(Piece_Separator) : "") + pieces[i];
    return input;
}

void Add_Save_Seeds(std::vector<Seed>& seeds, const char* target)
{
    const std::string masters[] = {"Morrowind.esm", "The Children.esp", std::string(98, 'n')};
    seeds.push_back({target, "male-player", Sample_Save_Bytes(0)});
    seeds.push_back({target, "female-player", Sample_Save_Bytes(1)});
    seeds.push_back({target, "masters", tes3::Header_Record(masters, 3)});
    // A "MAST" at offset 0, one whose size's upper bytes are set, and a save cut inside a value.
    seeds.push_back({target, "odd-mast", "MAST"s + Le32(6) + "A.esm\0xMAST"s + Le32(0x100) + "big.esm"s});
    const std::string save = Sample_Save_Bytes(1);
    seeds.push_back({target, "cut-in-player", save.substr(0, save.size() - 30)});
}

void Add_Data_File_Seeds(std::vector<Seed>& seeds, const char* target)
{
    seeds.push_back({target, "sample-plugin", Sample_Plugin_Bytes()});
    seeds.push_back({target, "master", Fixed_Master_Bytes()});
    const std::string record = tes3::Npc_Record("cut", "Cut", "Nord", Fixed_Head_ID, Fixed_Hair_ID, 1);
    seeds.push_back({target, "cut-record", record.substr(0, record.size() - 3)});
}

std::vector<Seed> All_Seeds()
{
    std::vector<Seed> seeds;
    Add_Save_Seeds(seeds, "save_data_file_lister");
    Add_Save_Seeds(seeds, "save_player_appearance");

    Add_Data_File_Seeds(seeds, "data_file_npc_lister");
    Add_Data_File_Seeds(seeds, "data_file_race_lister");
    seeds.push_back({"data_file_mesh_path", "head-in-plugin", Joined({"vorel_b_hair_braid", Sample_Plugin_Bytes()})});
    seeds.push_back({"data_file_mesh_path", "head-in-master", Joined({Fixed_Head_ID, Sample_Plugin_Bytes()})});
    seeds.push_back(
        {"data_file_mesh_path", "modl-cut", Joined({"x_id", "x"s + String_Subrecord("NAME", "x_id") + "MODL\x05"s})});

    seeds.push_back({"list_field_reader", "npc-line", "\x01\x62" + Fixture_NPC_List()});
    seeds.push_back({"list_field_reader", "race-line", "\x03\x62" + Fixture_Race_List(0)});
    seeds.push_back({"list_field_reader", "long-line", "\x00\x62" + std::string(150, 'a') + "\r\nb\rc\r\n"});

    seeds.push_back({"list_data_file_list", "fixture", Fixture_Data_File_List()});
    seeds.push_back({"list_data_file_list", "count-only", "0\r\n"});
    seeds.push_back({"list_data_file_list", "count-too-big", "300\r\nA.esm\r\nB.esp"});
    seeds.push_back({"list_data_file_list", "long-name", "1\r\n" + std::string(120, 'n') + ".esp\r\n"});

    seeds.push_back({"list_npc_list", "fixture", Fixture_NPC_List()});
    seeds.push_back({"list_npc_list", "long-fields", std::string(99, 'i') + "<h>" + std::string(130, 'n') + "\r\nx<"});

    seeds.push_back({"list_census", "fixture", Joined({Fixture_Census_List(), Fixture_NPC_List()})});
    seeds.push_back(
        {"list_census", "count-beyond-list", Joined({"Fuzz.esp*4000\r\nBase.esm*-3\r\nx*", "a<b>c<d>0<e"})});
    seeds.push_back({"list_census", "short-names", Joined({"esp*1\r\n*2\r\n", Fixture_NPC_List()})});

    const std::string male_races = Fixture_Race_List(0);
    const std::string female_races = Fixture_Race_List(1);
    for (const char* id : {"vorel_athyn", "Vorel_Seryne", ""})
        seeds.push_back({"list_partner_request", id[0] ? id : "empty-id",
                         Joined({Fixture_Merged_NPC_List(), male_races, female_races, id})});
    seeds.push_back({"list_partner_request", "empty-line-first",
                     Joined({"\r\n" + Fixture_Merged_NPC_List(), male_races, female_races, "base_npc"})});
    seeds.push_back({"list_partner_request", "long-lines",
                     Joined({std::string(600, 'b') + "\r\nbase_npc<h>i<Dark Elf>0<N\r\n",
                             "Dark Elf" + std::string(1600, '*') + "\r\n", female_races, "base_npc"})});

    seeds.push_back({"list_race_lists_player", "male-player", Joined({male_races, female_races})});
    seeds.push_back({"list_race_lists_player", "female-player", Joined({male_races, female_races}) + "\n"});
    seeds.push_back({"list_race_lists_player", "race-cut", Joined({"Dark Elf*Data Files\\Meshes\\x.nif", "Dark"})});

    seeds.push_back({"partner_file_pass", "request", ">\x01vorel_seryne123456789"s});
    seeds.push_back({"partner_file_pass", "initialise",
                     "^\x01"
                     "base_npc123456789"s});
    seeds.push_back({"partner_file_pass", "short", ">\x01x"s});
    seeds.push_back({"partner_file_pass", "answered", "<\x01vorel_athyn123456789"s});
    seeds.push_back({"partner_file_pass", "long-id", ">\x01" + std::string(120, 'v') + "123456789"});
    return seeds;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-fuzz-corpus <corpus folder>\n");
        return 2;
    }
    bool written = true;
    for (const Seed& seed : All_Seeds()) {
        const fs::path folder = fs::path(argv[1]) / seed.target;
        fs::create_directories(folder);
        written &= tes3::Write_File((folder / seed.name).string(), seed.bytes);
    }
    return written ? 0 : 1;
}
