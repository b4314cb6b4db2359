// Body parts and NPCs of the benchmark game, laid out as the game writes them: an "NPC_"
// record carries its inventory, spells and AI packages after the fields the listers read,
// and now and then an ID in other letter case or a field left out, as real data files do.
#include "bench/actor_records.h"

#include "tools/tes3/tes3_builder.h"

namespace bench {

namespace {

constexpr const char* Part_Words[] = {"neck",      "chest", "groin", "hands", "wrist",    "forearm",
                                      "upper arm", "foot",  "ankle", "knee",  "upper leg"};
constexpr int First_Body_Part = 2;  // "BYDT" part numbers 2 to 12 are the eleven body parts
constexpr int Hands_Part = 5;
constexpr int Armour_Type = 2;

// The ID with every word's first letter in capitals, as some plugins spell the base IDs.
std::string Capitalised(std::string id)
{
    for (size_t i = 0; i < id.size(); ++i)
        if ((i == 0 || id[i - 1] == '_' || id[i - 1] == ' ') && id[i] >= 'a' && id[i] <= 'z')
            id[i] = static_cast<char>(id[i] - 'a' + 'A');
    return id;
}

// An index below count that favours the first ones, so some IDs are common and some rare.
int Skewed(Random& random, int count)
{
    const int index = Below(random, count);
    return Chance(random, 50) ? Below(random, index + 1) : index;
}

std::string Pick(Random& random, const std::vector<std::string>& ids, const Cast& cast)
{
    if (!cast.missing.empty() && Chance(random, 1) && Chance(random, 40))
        return cast.missing[static_cast<size_t>(Below(random, static_cast<int>(cast.missing.size())))];
    const std::string& id = ids[static_cast<size_t>(Skewed(random, static_cast<int>(ids.size())))];
    return Chance(random, 3) ? Capitalised(id) : id;
}

const Part_Pool& Hair_Pool_For(Random& random, const Cast& cast, const Part_Pool& head)
{
    std::vector<const Part_Pool*> fitting;
    for (const Part_Pool& pool : cast.hairs)
        if (pool.race == head.race && pool.female == head.female) fitting.push_back(&pool);
    if (fitting.empty()) return cast.hairs[static_cast<size_t>(Below(random, static_cast<int>(cast.hairs.size())))];
    return *fitting[static_cast<size_t>(Below(random, static_cast<int>(fitting.size())))];
}

// The subrecords after the flags: carried items, spells and the AI's data and wandering.
std::string Npc_Tail(Random& random)
{
    std::string tail;
    const int items = Between(random, 0, 12);
    for (int i = 0; i < items; ++i) {
        std::string item = Word(random) + "_" + Word(random) + "_" + std::to_string(Between(random, 1, 9));
        item.resize(32, '\0');
        tail += tes3::Subrecord("NPCO", tes3::Le32(static_cast<std::uint32_t>(Between(random, 1, 5))) + item);
    }
    const int spells = Between(random, 0, 4);
    for (int i = 0; i < spells; ++i) {
        std::string spell = Word(random) + " " + Word(random);
        spell.resize(32, '\0');
        tail += tes3::Subrecord("NPCS", spell);
    }
    tail += tes3::Subrecord("AIDT", std::string(12, '\x1E'));
    tail += tes3::Subrecord("AI_W", std::string(14, '\x05'));
    return tail;
}

std::string Npc_Record(Random& random, const std::string& id, const Part_Pool& head_pool, const std::string& head,
                       const std::string& hair)
{
    std::string subrecords = tes3::String_Subrecord("NAME", id);
    if (!Chance(random, 1))
        subrecords += tes3::String_Subrecord("FNAM", Person_Name(random) + " " + Person_Name(random));
    subrecords += tes3::String_Subrecord("RNAM", head_pool.race);
    subrecords += tes3::String_Subrecord("CNAM", Chance(random, 50) ? "Commoner" : "Guard");
    subrecords += tes3::String_Subrecord("ANAM", Chance(random, 70) ? "" : Word(random) + " " + Word(random));
    if (!Chance(random, 1)) subrecords += tes3::String_Subrecord("BNAM", head);
    if (!Chance(random, 1)) subrecords += tes3::String_Subrecord("KNAM", hair);
    std::string npdt(52, '\0');
    npdt[0] = static_cast<char>(Between(random, 1, 50));
    subrecords += tes3::Subrecord("NPDT", npdt);
    subrecords += tes3::Subrecord("FLAG", tes3::Le32(static_cast<std::uint32_t>(head_pool.female) | 0x18u));
    subrecords += Npc_Tail(random);
    return tes3::Record("NPC_", subrecords);
}

}  // namespace

const std::vector<std::string>& Base_Races()
{
    static const std::vector<std::string> races = {"Argonian", "Breton", "Dark Elf", "High Elf", "Imperial",
                                                   "Khajiit",  "Nord",   "Orc",      "Redguard", "Wood Elf"};
    return races;
}

std::string Head_Hair_ID(const std::string& race, int female, int part, const std::string& tag, int number)
{
    std::string lower;
    for (char c : race) lower += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    std::string digits = std::to_string(number);
    if (number < 10) digits.insert(digits.begin(), '0');
    return "b_n_" + lower + (female ? "_f_" : "_m_") + (part == 0 ? "head_" : "hair_") + tag + digits;
}

std::string Pool_Records(const Part_Pool& pool, int part)
{
    std::string records;
    for (const std::string& id : pool.ids)
        records += tes3::Body_Record(id, "b\\" + id + ".nif", pool.race, part, pool.female, 0);
    return records;
}

std::string Race_Body_Records(const std::vector<std::string>& races, const std::string& mesh_folder)
{
    std::string records;
    for (const std::string& race : races) {
        for (int female = 0; female <= 1; ++female) {
            const std::string stem = race + (female ? " f " : " m ");
            for (int part = 0; part < 11; ++part)
                records += tes3::Body_Record("b_n_" + stem + Part_Words[part],
                                             mesh_folder + "\\" + stem + Part_Words[part] + ".nif", race,
                                             First_Body_Part + part, female, 0);
            records += tes3::Body_Record("b_n_" + stem + "hands 1st", mesh_folder + "\\1st " + stem + "hands.nif", race,
                                         Hands_Part, female, 0);
            records +=
                tes3::Body_Record("a_" + stem + "cuirass", "a\\" + stem + "cuirass.nif", race, 3, female, Armour_Type);
        }
    }
    return records;
}

std::string Npc_Records(Random& random, const Cast& cast, int count, const std::string& prefix)
{
    std::string records;
    for (int i = 0; i < count; ++i) {
        const Part_Pool& head_pool =
            cast.heads[static_cast<size_t>(Below(random, static_cast<int>(cast.heads.size())))];
        const Part_Pool& hair_pool = Hair_Pool_For(random, cast, head_pool);
        const std::string id = prefix + Person_Name(random) + std::to_string(i);
        records +=
            Npc_Record(random, id, head_pool, Pick(random, head_pool.ids, cast), Pick(random, hair_pool.ids, cast));
    }
    return records;
}

}  // namespace bench
