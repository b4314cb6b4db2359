// The bulk of a benchmark data file: records that no lister looks for (landscape, cells with
// their references, scripts, dialogue, books, items), so that a search must pass over
// megabytes of text and binary data shaped like a real master's before it meets its target.
#pragma once

#include "bench/bench_random.h"

#include <cstddef>
#include <string>

namespace bench {

// How a stretch of filler is made up: the share, in percent, of landscape, of cells, of
// scripts and of dialogue and books; items make up the rest.
struct Filler_Mix {
    int land;
    int cells;
    int scripts;
    int dialogue;
};

constexpr Filler_Mix Settings_Mix = {0, 5, 45, 30};  // game settings to creatures: scripts, text, items
constexpr Filler_Mix Items_Mix = {0, 0, 10, 40};     // armour to potions: items and books
constexpr Filler_Mix World_Mix = {70, 30, 0, 0};     // cells, landscape and path grids
constexpr Filler_Mix Dialogue_Mix = {0, 0, 5, 95};   // topics and their responses
constexpr Filler_Mix Plugin_Mix = {25, 25, 20, 20};  // what a typical plugin changes

// Appends filler records to file until it holds at least size bytes.
void Append_Filler(Random& random, std::string& file, std::size_t size, const Filler_Mix& mix);

}  // namespace bench
