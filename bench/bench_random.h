// The benchmark game's source of variety: a small seeded generator, so that one seed always
// gives the same game folder byte for byte, and the words and names its records are made of.
#pragma once

#include <cstdint>
#include <string>

namespace bench {

struct Random {
    std::uint64_t state;
};

// The next 64 random bits (splitmix64).
std::uint64_t Next_Bits(Random& random);

// A number from 0 to count - 1; 0 when count is below 1.
int Below(Random& random, int count);

// A number from low to high, both included.
int Between(Random& random, int low, int high);

// True with the given chance, in percent.
bool Chance(Random& random, int percent);

// count bytes of English-like text: words, blanks and now and then a full stop.
std::string Prose(Random& random, int count);

// A word of the vocabulary, in lower case.
std::string Word(Random& random);

// A made-up personal name with a capital first letter, from two or three syllables.
std::string Person_Name(Random& random);

}  // namespace bench
