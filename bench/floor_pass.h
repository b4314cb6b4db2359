// The floor: what this machine needs at least to read a file from the page cache and pass
// over its bytes once. One block as large as the largest file is taken from the system, its
// pages first touched by the first read into it, and every read goes into it; one memchr
// pass covers the bytes to be scanned.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bench {

struct Floor_Files {
    std::vector<std::string> paths;  // as the file system spells them
    std::vector<std::int64_t> sizes;
    std::vector<unsigned char> needles;  // per file a byte it does not hold (or holds least)
    unsigned char* block;                // the read buffer, not touched until the first read
};

// Takes the sizes of the files and a needle for each (reading every file once to find it),
// and allocates the block.
Floor_Files Prepare_Floor(const std::vector<std::string>& paths);

void Release_Floor(Floor_Files& files);

// Reads file i whole into the block and passes memchr over its first scanned bytes.
// Returns the number of needles met, so that the pass cannot be left out.
long Floor_Read_And_Pass(Floor_Files& files, size_t i, std::int64_t scanned);

}  // namespace bench
