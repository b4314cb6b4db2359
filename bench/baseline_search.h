// The body-part lookup written the straightforward way, byte at a time, as the yardstick
// that the toolkit's lookup is measured against and checked by: same files, same answers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bench {

struct Lookup_Answer {
    int index;               // the data file's list index, or -1
    std::int32_t match_end;  // the position just after the ID match, or -1
};

// The first data file in list order (paths as the programs spell them) that holds id,
// letter case of 'a' to 'z' ignored, followed by one byte and "MODL".
Lookup_Answer Baseline_Find_ID(const std::vector<std::string>& paths, const char* id);

}  // namespace bench
