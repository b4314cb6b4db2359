// The floor: what this machine needs at least to read the files from the page cache and
// find what the programs look for. One block as large as the largest file is taken from the
// system, its pages first touched by the first read into it, and every read goes into it.
// A lister that reads every file once is measured against one read and one memchr pass per
// file; a body-part lookup against the same lookup done the fastest way this machine has,
// both with whole-file reads and with reads that stop at the answer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bench {

struct Floor_Files {
    std::vector<std::string> paths;  // as the file system spells them, in list order
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

// How a floor lookup reads each data file: whole with one read, or in blocks of 256 KiB
// placed one after another, each scanned as it arrives, reading stopped at the answer.
enum class Floor_Reads { whole, prefix };

struct Floor_Answer {
    int index;               // the data file's list index, or -1
    std::int32_t match_end;  // the position just after the ID match, or -1
    std::int64_t bytes_read;
};

// The widest filter this machine has for the floor's scan: 64 with AVX-512, 32 with AVX2,
// else 0 (the floor cannot be measured).
int Floor_Scan_Width();

// The body-part lookup at the floor: the first data file in list order that holds id,
// letter case of 'a' to 'z' ignored, followed by one byte and "MODL", found by a scan that
// tests 64 starts at a time by the ID's first and last byte with the given width.
Floor_Answer Floor_Find_ID(Floor_Files& files, const char* id, Floor_Reads reads, int width);

}  // namespace bench
