// The text searches over the file buffer: plain forward scans that find candidate first
// bytes with memchr and confirm them in place. Nothing is indexed or remembered.
#include "toolkit/toolkit.h"

#include <cstring>

namespace {

unsigned char Fold(unsigned char c) { return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 32) : c; }

// The first candidate position of a search from `from`: from + 1, and 0 for any from below 0.
std::int64_t First_Candidate(std::int32_t from) { return from < 0 ? 0 : static_cast<std::int64_t>(from) + 1; }

// The position of the next byte 0 at or after p, or -1.
std::int32_t Find_Nul(std::int64_t p)
{
    if (p >= File_Length) return -1;
    const void* hit = std::memchr(File_Buffer + p, 0, static_cast<size_t>(File_Length - p));
    return hit != nullptr ? static_cast<std::int32_t>(static_cast<const unsigned char*>(hit) - File_Buffer) : -1;
}

// The position of the next byte c from p up to and including last, or -1.
std::int64_t Next_Byte(unsigned char c, std::int64_t p, std::int64_t last)
{
    if (p > last) return -1;
    const void* hit = std::memchr(File_Buffer + p, c, static_cast<size_t>(last - p + 1));
    return hit != nullptr ? static_cast<const unsigned char*>(hit) - File_Buffer : -1;
}

bool Rest_Matches_No_Case(const unsigned char* at, const unsigned char* text, size_t length)
{
    for (size_t i = 1; i < length; ++i)
        if (Fold(at[i]) != Fold(text[i])) return false;
    return true;
}

} // namespace

std::int32_t Find_Text(const char* text, std::int32_t from)
{
    const size_t length = std::strlen(text);
    std::int64_t p = First_Candidate(from);
    if (length == 0) return Find_Nul(p);
    const std::int64_t last_start = static_cast<std::int64_t>(File_Length) - static_cast<std::int64_t>(length);
    const unsigned char first = static_cast<unsigned char>(text[0]);
    while ((p = Next_Byte(first, p, last_start)) >= 0) {
        if (std::memcmp(File_Buffer + p + 1, text + 1, length - 1) == 0)
            return static_cast<std::int32_t>(p + static_cast<std::int64_t>(length));
        ++p;
    }
    return -1;
}

std::int32_t Find_Text_No_Case(const char* text, std::int32_t from)
{
    const size_t length = std::strlen(text);
    std::int64_t p = First_Candidate(from);
    if (length == 0) return Find_Nul(p);
    const std::int64_t last_start = static_cast<std::int64_t>(File_Length) - static_cast<std::int64_t>(length);
    const unsigned char* folded = reinterpret_cast<const unsigned char*>(text);
    const unsigned char upper = Fold(folded[0]);
    const bool letter = upper >= 'A' && upper <= 'Z';
    const unsigned char lower = letter ? static_cast<unsigned char>(upper + 32) : upper;
    // The next occurrence of each spelling of the first byte, found again only once passed.
    std::int64_t next_upper = Next_Byte(upper, p, last_start);
    std::int64_t next_lower = letter ? Next_Byte(lower, p, last_start) : -1;
    while (next_upper >= 0 || next_lower >= 0) {
        if (next_upper >= 0 && (next_lower < 0 || next_upper < next_lower)) p = next_upper;
        else p = next_lower;
        if (Rest_Matches_No_Case(File_Buffer + p, folded, length))
            return static_cast<std::int32_t>(p + static_cast<std::int64_t>(length));
        if (p == next_upper) next_upper = Next_Byte(upper, p + 1, last_start);
        else next_lower = Next_Byte(lower, p + 1, last_start);
    }
    return -1;
}
