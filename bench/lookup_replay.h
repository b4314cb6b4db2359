// The mesh lister's lookups, replayed: from the census list and the NPC lists of a game
// folder, the IDs it looks up in the order it looks them up (each distinct head and hair ID
// once per data file and column), and what each lookup loads and scans.
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

// The bytes a lookup loads (whole files) and scans (whole files, and the found file up to
// its match), given the sizes of the data files in list order.
std::int64_t Bytes_Loaded(const Lookup& lookup, const std::vector<std::int64_t>& sizes);
std::int64_t Bytes_Scanned(const Lookup& lookup, const std::vector<std::int64_t>& sizes);

}  // namespace bench
