// The records the listers look for in the benchmark game: body parts (heads, hairs and the
// eleven parts of each race and sex) and NPCs, with the head and hair IDs they refer to.
#pragma once

#include "bench/bench_random.h"

#include <string>
#include <vector>

namespace bench {

// The heads or the hairs that one data file defines for one race and sex.
struct Part_Pool {
    std::string race;
    int female;
    std::vector<std::string> ids;
};

// The race names of the base game.
const std::vector<std::string>& Base_Races();

// The ID of a head (part 0) or hair (part 1), e.g. "b_n_dark elf_m_head_01"; tag marks the
// data file that adds it ("" for the base game).
std::string Head_Hair_ID(const std::string& race, int female, int part, const std::string& tag, int number);

// A "BODY" record for each ID of the pool, its mesh named after the ID.
std::string Pool_Records(const Part_Pool& pool, int part);

// The "BODY" records of the eleven body parts of each race and sex, plus each race's
// first-person hands and a few armour parts, which the race list must pass over.
std::string Race_Body_Records(const std::vector<std::string>& races, const std::string& mesh_folder);

// What an NPC refers to: its race and sex and the pools its head and hair come from.
struct Cast {
    std::vector<Part_Pool> heads;  // one pool per race and sex, in any order
    std::vector<Part_Pool> hairs;
    std::vector<std::string> missing;  // IDs that no data file defines
};

// count "NPC_" records whose IDs begin with prefix, with heads and hairs drawn from the cast.
std::string Npc_Records(Random& random, const Cast& cast, int count, const std::string& prefix);

}  // namespace bench
