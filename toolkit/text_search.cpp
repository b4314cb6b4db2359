// The text searches over the file buffer: plain forward scans that pick candidate positions
// by the text's first and last byte, up to 64 positions at a time where the processor has
// SSE2, and confirm each candidate in place. Nothing is indexed or remembered.
#include "toolkit/toolkit.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr unsigned char Case_Bit = 0x20;  // 'A' | 0x20 is 'a'; only letters are folded this way

unsigned char Fold(unsigned char c) { return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 32) : c; }

bool Is_Letter(unsigned char c) { return Fold(c) >= 'A' && Fold(c) <= 'Z'; }

// A byte of the text as the candidate filter tests it: byte | mask must equal want. For a
// letter of a search without case the mask is the case bit, which admits exactly its two
// spellings; for any other byte the mask is 0 and only the byte itself passes.
struct Byte_Test {
    unsigned char want;
    unsigned char mask;
};

Byte_Test Test_For(unsigned char c, bool no_case)
{
    const unsigned char mask = (no_case && Is_Letter(c)) ? Case_Bit : 0;
    return {static_cast<unsigned char>(c | mask), mask};
}

// What one search looks for: the text, its length and the tests of its first and last byte.
struct Search {
    const unsigned char* text;
    std::int64_t length;
    bool no_case;
    Byte_Test first;
    Byte_Test last;
};

bool Passes(const Byte_Test& test, unsigned char c) { return static_cast<unsigned char>(c | test.mask) == test.want; }

bool Matches_At(const Search& search, std::int64_t p)
{
    const unsigned char* at = File_Buffer + p;
    if (!search.no_case) return std::memcmp(at, search.text, static_cast<size_t>(search.length)) == 0;
    for (std::int64_t i = 0; i < search.length; ++i)
        if (Fold(at[i]) != Fold(search.text[i])) return false;
    return true;
}

bool Candidate_At(const Search& search, std::int64_t p)
{
    return Passes(search.first, File_Buffer[p]) && Passes(search.last, File_Buffer[p + search.length - 1]);
}

// The first matching start from p up to and including last_start, or -1; one position at a time.
std::int64_t Scan_Bytes(const Search& search, std::int64_t p, std::int64_t last_start)
{
    for (; p <= last_start; ++p)
        if (Candidate_At(search, p) && Matches_At(search, p)) return p;
    return -1;
}

#if defined(__SSE2__)

constexpr std::int64_t Block = 16;
constexpr int Blocks_Per_Step = 4;  // a step tests 64 starts and branches once when none passes

// The search's byte tests, spread over the sixteen lanes of a block.
struct Block_Tests {
    __m128i first_want;
    __m128i first_mask;
    __m128i last_want;
    __m128i last_mask;
};

Block_Tests Block_Tests_For(const Search& search)
{
    return {_mm_set1_epi8(static_cast<char>(search.first.want)), _mm_set1_epi8(static_cast<char>(search.first.mask)),
            _mm_set1_epi8(static_cast<char>(search.last.want)), _mm_set1_epi8(static_cast<char>(search.last.mask))};
}

// The candidates among the sixteen starts from p, one lane each. Every byte read lies inside
// the buffer: the caller keeps p + 15 at or before the last start.
__m128i Candidates(const Search& search, std::int64_t p, const Block_Tests& tests)
{
    const __m128i heads = _mm_loadu_si128(reinterpret_cast<const __m128i*>(File_Buffer + p));
    const __m128i tails = _mm_loadu_si128(reinterpret_cast<const __m128i*>(File_Buffer + p + search.length - 1));
    const __m128i first = _mm_cmpeq_epi8(_mm_or_si128(heads, tests.first_mask), tests.first_want);
    const __m128i last = _mm_cmpeq_epi8(_mm_or_si128(tails, tests.last_mask), tests.last_want);
    return _mm_and_si128(first, last);
}

// The first candidate of the block at p that matches, or -1; mask has bit i for p + i.
std::int64_t First_Match_In(const Search& search, std::int64_t p, int mask)
{
    while (mask != 0) {
        const std::int64_t candidate = p + __builtin_ctz(static_cast<unsigned>(mask));
        if (Matches_At(search, candidate)) return candidate;
        mask &= mask - 1;
    }
    return -1;
}

// As Scan_Bytes: 64 starts a step while four whole blocks of starts remain, then sixteen,
// then the rest one at a time. Blocks and their candidates are confirmed in order, so the
// first match is the answer.
std::int64_t Scan(const Search& search, std::int64_t p, std::int64_t last_start)
{
    const Block_Tests tests = Block_Tests_For(search);
    for (; p + Blocks_Per_Step * Block - 1 <= last_start; p += Blocks_Per_Step * Block) {
        __m128i lanes[Blocks_Per_Step];
        for (int k = 0; k < Blocks_Per_Step; ++k) lanes[k] = Candidates(search, p + k * Block, tests);
        const __m128i any = _mm_or_si128(_mm_or_si128(lanes[0], lanes[1]), _mm_or_si128(lanes[2], lanes[3]));
        if (_mm_movemask_epi8(any) == 0) continue;
        for (int k = 0; k < Blocks_Per_Step; ++k) {
            const std::int64_t found = First_Match_In(search, p + k * Block, _mm_movemask_epi8(lanes[k]));
            if (found >= 0) return found;
        }
    }
    for (; p + Block - 1 <= last_start; p += Block) {
        const std::int64_t found = First_Match_In(search, p, _mm_movemask_epi8(Candidates(search, p, tests)));
        if (found >= 0) return found;
    }
    return Scan_Bytes(search, p, last_start);
}

#else

std::int64_t Scan(const Search& search, std::int64_t p, std::int64_t last_start)
{
    return Scan_Bytes(search, p, last_start);
}

#endif

// The first candidate position of a search from `from`: from + 1, and 0 for any from below 0.
std::int64_t First_Candidate(std::int32_t from) { return from < 0 ? 0 : static_cast<std::int64_t>(from) + 1; }

// The position of the next byte 0 at or after p, or -1.
std::int32_t Find_Nul(std::int64_t p)
{
    if (p >= File_Length) return -1;
    const void* hit = std::memchr(File_Buffer + p, 0, static_cast<size_t>(File_Length - p));
    return hit != nullptr ? static_cast<std::int32_t>(static_cast<const unsigned char*>(hit) - File_Buffer) : -1;
}

// Both searches: an empty text is compared through its terminating NUL, so it matches the
// next byte 0 and answers that byte's own position; any other text answers the position
// just after its first match that lies wholly inside the buffer.
std::int32_t Find(const char* text, std::int32_t from, bool no_case)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    const std::int64_t length = static_cast<std::int64_t>(std::strlen(text));
    const std::int64_t p = First_Candidate(from);
    if (length == 0) return Find_Nul(p);
    const Search search = {bytes, length, no_case, Test_For(bytes[0], no_case), Test_For(bytes[length - 1], no_case)};
    const std::int64_t found = Scan(search, p, static_cast<std::int64_t>(File_Length) - length);
    return found < 0 ? -1 : static_cast<std::int32_t>(found + length);
}

}  // namespace

std::int32_t Find_Text(const char* text, std::int32_t from) { return Find(text, from, false); }

std::int32_t Find_Text_Within(const char* text, std::int32_t from, std::int32_t window)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    const std::int64_t length = static_cast<std::int64_t>(std::strlen(text));
    const std::int64_t p = First_Candidate(from);
    const std::int64_t limit = static_cast<std::int64_t>(from) + window;  // a result must lie below it
    if (length == 0) {
        const std::int32_t nul = Find_Nul(p);
        return nul != -1 && nul < limit ? nul : -1;
    }
    std::int64_t last_start = limit - 1 - length;
    if (last_start > static_cast<std::int64_t>(File_Length) - length) last_start = File_Length - length;
    const Search search = {bytes, length, false, Test_For(bytes[0], false), Test_For(bytes[length - 1], false)};
    const std::int64_t found = Scan(search, p, last_start);
    return found < 0 ? -1 : static_cast<std::int32_t>(found + length);
}

std::int32_t Find_Text_No_Case(const char* text, std::int32_t from) { return Find(text, from, true); }
