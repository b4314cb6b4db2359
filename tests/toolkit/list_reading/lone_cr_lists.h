// Lists with a lone CR, or a CR LF, at every position around the sizes that C runtimes give
// their stream buffers, and what the list walk of tests/probes/list_walk.h must read in them.
#pragma once

#include <string>
#include <vector>

struct Lone_Cr_List {
    std::string name;   // where the CR stands and how, for the test's trace
    std::string bytes;  // the list as it is on disk
};

// Every list: for each buffer size, the CR at each of a few positions before and after it,
// in each of the ways a CR can stand in a list.
std::vector<Lone_Cr_List> Lone_Cr_Lists();

// The lines that the list walk must give for a list of these bytes: CR LF read as one line
// end, a lone CR a character of its field, fields cut at their capacity.
std::string Expected_Walk(const std::string& bytes);

// Empty when walked is what the walk of a list of these bytes must give; else the first line
// that differs, what it should be and its number.
std::string Walk_Difference(const std::string& walked, const std::string& bytes);
