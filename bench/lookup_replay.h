// The mesh lister's lookups, replayed: from the census list and the NPC lists of a game
// folder, the IDs it looks up in the order it looks them up (each distinct head and hair ID
// once per data file and column), and what the toolkit answers for each.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bench {

struct Lookup {
    std::string id;
    int found;               // the data file's list index, or -1
    std::int32_t match_end;  // where the search stopped in that file (-1 after a miss)
    double seconds;          // the toolkit lookup, with the "MODL" value taken as the lister does
};

// The lookups of a mesh-lister run in the working directory, in its order, not yet run.
std::vector<Lookup> Mesh_Lister_Lookups();

// Runs each lookup with the toolkit and fills in its answer and its time.
void Run_Toolkit_Lookups(std::vector<Lookup>& lookups);

}  // namespace bench
