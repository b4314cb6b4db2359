// Writes the benchmark game folder: a load order shaped like a player's (the base master,
// two expansions, dozens of plugins and a save that names them all), the same bytes for the
// same seed. Usage: make-bench-game FOLDER [--seed N] [--scale X] [--plugins N]
#include "bench/actor_records.h"
#include "bench/bench_random.h"
#include "bench/filler_records.h"
#include "tools/tes3/tes3_builder.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace bench;

constexpr double Megabyte = 1024.0 * 1024.0;
constexpr int Base_Heads = 8;  // per race and sex
constexpr int Base_Hairs = 7;
constexpr int Base_NPCs = 2700;

struct Settings {
    std::string folder;
    std::uint64_t seed = 8;
    double scale = 1.0;  // of every data file's size
    int plugins = 50;
};

// One data file of the load order: its name and the bytes written.
struct Data_File {
    std::string name;
    std::size_t size;
};

struct Game {
    Settings settings;
    Random random;
    Cast base;                            // what the base game's NPCs refer to
    std::vector<Part_Pool> plugin_heads;  // heads and hairs added by the plugins written so far
    std::vector<Part_Pool> plugin_hairs;
    std::vector<Data_File> files;  // in load order
};

std::size_t Scaled(const Game& game, double megabytes)
{
    return static_cast<std::size_t>(megabytes * Megabyte * game.settings.scale);
}

std::string Data_Path(const Game& game, const std::string& name)
{
    return game.settings.folder + "/Data Files/" + name;
}

void Write(Game& game, const std::string& name, const std::string& bytes)
{
    if (!tes3::Write_File(Data_Path(game, name), bytes)) {
        std::fprintf(stderr, "make-bench-game: cannot write %s\n", Data_Path(game, name).c_str());
        std::exit(1);
    }
    game.files.push_back({name, bytes.size()});
}

std::vector<Part_Pool> Pools(const std::vector<std::string>& races, int part, const std::string& tag, int count)
{
    std::vector<Part_Pool> pools;
    for (const std::string& race : races)
        for (int female = 0; female <= 1; ++female) {
            Part_Pool pool{race, female, {}};
            for (int n = 1; n <= count; ++n) pool.ids.push_back(Head_Hair_ID(race, female, part, tag, n));
            pools.push_back(pool);
        }
    return pools;
}

void Make_Base_Cast(Game& game)
{
    game.base.heads = Pools(Base_Races(), 0, "", Base_Heads);
    game.base.hairs = Pools(Base_Races(), 1, "", Base_Hairs);
    game.base.missing = {Head_Hair_ID("Nord", 0, 0, "", 99), Head_Hair_ID("Khajiit", 1, 1, "", 99),
                         Head_Hair_ID("Imperial", 0, 1, "", 98), Head_Hair_ID("Dark Elf", 1, 0, "", 97)};
}

std::string Pool_Block(const std::vector<Part_Pool>& heads, const std::vector<Part_Pool>& hairs)
{
    std::string block;
    for (const Part_Pool& pool : heads) block += Pool_Records(pool, 0);
    for (const Part_Pool& pool : hairs) block += Pool_Records(pool, 1);
    return block;
}

// A master laid out as the game's are: settings, scripts and creatures first, then the body
// parts, the NPCs, the items, the world and last the dialogue.
std::string Master_Bytes(Game& game, double megabytes, const std::string& body_parts, const Cast& cast, int npcs,
                         const std::string& prefix)
{
    const std::size_t size = Scaled(game, megabytes);
    std::string bytes = tes3::Header_Record(nullptr, 0);
    Append_Filler(game.random, bytes, size * 18 / 100, Settings_Mix);
    bytes += body_parts;
    Append_Filler(game.random, bytes, size * 20 / 100, Items_Mix);
    bytes += Npc_Records(game.random, cast, npcs, prefix);
    Append_Filler(game.random, bytes, size * 40 / 100, Items_Mix);
    Append_Filler(game.random, bytes, size * 82 / 100, World_Mix);
    Append_Filler(game.random, bytes, size, Dialogue_Mix);
    return bytes;
}

void Write_Base_Master(Game& game)
{
    const std::string parts = Race_Body_Records(Base_Races(), "b") + Pool_Block(game.base.heads, game.base.hairs);
    Write(game, "Morrowind.esm", Master_Bytes(game, 80, parts, game.base, Base_NPCs, ""));
}

// An expansion adds heads and hairs for a few races, and NPCs that use them and the base ones.
void Write_Expansion(Game& game, const std::string& name, double megabytes, const std::vector<std::string>& races,
                     const std::string& tag, int npcs)
{
    const std::vector<Part_Pool> heads = Pools(races, 0, tag, 3);
    const std::vector<Part_Pool> hairs = Pools(races, 1, tag, 3);
    Cast cast = game.base;
    for (int weight = 0; weight < 4; ++weight) cast.heads.insert(cast.heads.end(), heads.begin(), heads.end());
    cast.hairs.insert(cast.hairs.end(), hairs.begin(), hairs.end());
    Write(game, name, Master_Bytes(game, megabytes, Pool_Block(heads, hairs), cast, npcs, tag + "_"));
}

// The heads and hairs a plugin adds: now and then a new set for one race and sex, and now and
// then a new mesh for a base hair (the same ID, found in the plugin before the master).
std::string Plugin_Body_Parts(Game& game, int index, Cast& cast)
{
    std::string block;
    if (Chance(game.random, 40)) {
        const std::string& race = Base_Races()[static_cast<size_t>(Below(game.random, 10))];
        const int female = Below(game.random, 2);
        std::string tag = std::to_string(index);
        tag.insert(tag.begin(), 'p');
        tag += '_';
        Part_Pool heads{race, female, {}};
        Part_Pool hairs{race, female, {}};
        for (int n = Between(game.random, 1, 4); n > 0; --n) heads.ids.push_back(Head_Hair_ID(race, female, 0, tag, n));
        for (int n = Between(game.random, 1, 4); n > 0; --n) hairs.ids.push_back(Head_Hair_ID(race, female, 1, tag, n));
        block += Pool_Records(heads, 0) + Pool_Records(hairs, 1);
        for (int weight = 0; weight < 6; ++weight) cast.heads.push_back(heads);
        cast.hairs.push_back(hairs);
        game.plugin_heads.push_back(heads);
        game.plugin_hairs.push_back(hairs);
    }
    if (Chance(game.random, 10)) {
        const Part_Pool& pool = game.base.hairs[static_cast<size_t>(Below(game.random, 20))];
        Part_Pool redone{pool.race, pool.female, {pool.ids[static_cast<size_t>(Below(game.random, Base_Hairs))]}};
        block += Pool_Records(redone, 1);
    }
    if (Chance(game.random, 5)) block += Race_Body_Records({"Bench Race " + std::to_string(index)}, "bench");
    return block;
}

// A plugin's NPCs also use heads and hairs of one plugin loaded before it.
void Add_Earlier_Plugin(Game& game, Cast& cast)
{
    if (game.plugin_heads.empty() || !Chance(game.random, 30)) return;
    const size_t pick = static_cast<size_t>(Below(game.random, static_cast<int>(game.plugin_heads.size())));
    cast.heads.push_back(game.plugin_heads[pick]);
    cast.hairs.push_back(game.plugin_hairs[pick]);
}

std::string Plugin_Name(Game& game, int index)
{
    std::string first = Word(game.random);
    first[0] = static_cast<char>(first[0] - 'a' + 'A');
    std::string second = Word(game.random);
    second[0] = static_cast<char>(second[0] - 'a' + 'A');
    return first + " " + second + " " + std::to_string(index) + ".esp";
}

void Write_Plugin(Game& game, int index)
{
    // From 50 KB to 2 MB, evenly spread on a logarithmic scale.
    const double megabytes = 0.05 * std::pow(40.0, Below(game.random, 1000) / 1000.0);
    const std::size_t size = Scaled(game, megabytes);
    const std::string masters[] = {"Morrowind.esm", "Tribunal.esm", "Bloodmoon.esm"};
    Cast cast = game.base;
    std::string bytes = tes3::Header_Record(masters, 3);
    Append_Filler(game.random, bytes, size * static_cast<size_t>(Below(game.random, 60)) / 100, Plugin_Mix);
    bytes += Plugin_Body_Parts(game, index, cast);
    Add_Earlier_Plugin(game, cast);
    Append_Filler(game.random, bytes, size * static_cast<size_t>(Between(game.random, 60, 90)) / 100, Plugin_Mix);
    const int npcs = Chance(game.random, 30) ? 0 : Between(game.random, 1, 12);
    bytes += Npc_Records(game.random, cast, npcs, "pl" + std::to_string(index) + "_");
    Append_Filler(game.random, bytes, size, Plugin_Mix);
    Write(game, Plugin_Name(game, index), bytes);
}

// The save names every data file in load order, each "MAST" with its "DATA" size.
void Write_Save(Game& game)
{
    std::vector<std::string> names;
    for (const Data_File& file : game.files) names.push_back(file.name);
    std::string bytes = tes3::Header_Record(names.data(), static_cast<int>(names.size()));
    const Part_Pool& pool = game.base.heads[4];
    bytes += tes3::Npc_Record("player", "Bench Player", pool.race, pool.ids[0], game.base.hairs[4].ids[0], 0);
    Append_Filler(game.random, bytes, Scaled(game, 1.0), World_Mix);
    if (!tes3::Write_File(game.settings.folder + "/Saves/Vorel.ess", bytes)) std::exit(1);
}

void Make_Folders(const std::string& root)
{
    for (const char* folder : {"Saves", "Data Files/Meshes/Vorel", "Data Files/MWSE", "Vorel OXT Files/NPC Lists",
                               "Vorel OXT Files/Mesh Lists"})
        std::filesystem::create_directories(root + "/" + folder);
}

bool Read_Settings(int argc, char** argv, Settings& settings)
{
    if (argc < 2) return false;
    settings.folder = argv[1];
    for (int i = 2; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--seed") == 0)
            settings.seed = std::strtoull(argv[i + 1], nullptr, 10);
        else if (std::strcmp(argv[i], "--scale") == 0)
            settings.scale = std::strtod(argv[i + 1], nullptr);
        else if (std::strcmp(argv[i], "--plugins") == 0)
            settings.plugins = std::atoi(argv[i + 1]);
        else
            return false;
    }
    return (argc % 2 == 0) && settings.scale > 0 && settings.plugins >= 0 && settings.plugins <= 270;
}

}  // namespace

int main(int argc, char** argv)
{
    Game game;
    if (!Read_Settings(argc, argv, game.settings)) {
        std::fprintf(stderr, "usage: make-bench-game FOLDER [--seed N] [--scale X] [--plugins N (at most 270)]\n");
        return 2;
    }
    game.random.state = game.settings.seed;
    Make_Folders(game.settings.folder);
    Make_Base_Cast(game);
    Write_Base_Master(game);
    Write_Expansion(game, "Tribunal.esm", 5, {"Dark Elf", "Imperial"}, "tr", 120);
    Write_Expansion(game, "Bloodmoon.esm", 10, {"Nord"}, "bm", 150);
    for (int i = 1; i <= game.settings.plugins; ++i) Write_Plugin(game, i);
    Write_Save(game);
    double total = 0;
    for (const Data_File& file : game.files) total += static_cast<double>(file.size);
    std::printf("make-bench-game: %zu data files, %.1f MB, in %s\n", game.files.size(), total / Megabyte,
                game.settings.folder.c_str());
    return 0;
}
