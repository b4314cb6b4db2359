// The text searches over the file buffer: plain forward scans that pick candidate positions
// by the text's first and last byte, 64 positions at a time with AVX2 or SSE2, whichever the
// processor has, and confirm each candidate in place. A search runs over the file's bytes as
// they come in and reads no further than its answer. Nothing is indexed or remembered.
#include "toolkit/buffer_fill.h"
#include "toolkit/toolkit.h"

#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define VOREL_X86_VECTORS 1
#endif

namespace {

constexpr unsigned char Case_Bit = 0x20;  // 'A' | 0x20 is 'a'; only letters are folded this way

unsigned char Fold(unsigned char c) { return Fold_Letter(c); }

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

// Every scan answers the first matching start from p up to and including last_start, or -1,
// and reads only bytes up to last_start + length - 1. This one tests one position at a time.
std::int64_t Scan_Bytes(const Search& search, std::int64_t p, std::int64_t last_start)
{
    for (; p <= last_start; ++p)
        if (Candidate_At(search, p) && Matches_At(search, p)) return p;
    return -1;
}

using Scan_Function = std::int64_t (*)(const Search&, std::int64_t, std::int64_t);

#if defined(VOREL_X86_VECTORS)

constexpr std::int64_t Step = 64;  // starts that one step of a vector filter tests, whatever its width

// The first candidate of the step at p that matches, or -1; mask has bit i for p + i.
std::int64_t First_Match_In(const Search& search, std::int64_t p, std::uint64_t mask)
{
    while (mask != 0) {
        const std::int64_t candidate = p + __builtin_ctzll(mask);
        if (Matches_At(search, candidate)) return candidate;
        mask &= mask - 1;
    }
    return -1;
}

// The first step of 64 starts, from p on and with all its starts at or before last_start,
// that holds a candidate, with its candidates in mask (bit i for start + i); a position past
// the last whole step when there is none. Lanes reads the 64 first bytes of the starts and
// the 64 last bytes, length - 1 further on: all inside last_start + length - 1. Each width
// runs it in a function of its own that calls nothing, so the tests stay in registers.
template <class Lanes>
[[gnu::always_inline]] inline std::int64_t Next_Step(const Search& search, std::int64_t p, std::int64_t last_start,
                                                     std::uint64_t& mask)
{
    const Search own = search;  // a copy that the store to mask cannot change, so it stays in registers
    for (; p + Step - 1 <= last_start; p += Step) {
        const std::uint64_t found = Lanes::Candidates(own, File_Buffer + p);
        if (found == 0) continue;
        mask = found;
        return p;
    }
    return p;
}

using Step_Function = std::int64_t (*)(const Search&, std::int64_t, std::int64_t, std::uint64_t&);

// As Scan_Bytes: steps of 64 starts while whole steps remain, then the rest one at a time.
// A step's candidates are confirmed in order, so the first match is the answer.
template <Step_Function Next>
std::int64_t Scan_Steps(const Search& search, std::int64_t p, std::int64_t last_start)
{
    std::uint64_t mask = 0;
    while ((p = Next(search, p, last_start, mask)) + Step - 1 <= last_start) {
        const std::int64_t found = First_Match_In(search, p, mask);
        if (found >= 0) return found;
        p += Step;
    }
    return Scan_Bytes(search, p, last_start);
}

// SSE2, which every x86-64 processor has: four blocks of sixteen starts, tested together
// first, since most steps hold no candidate.
struct Lanes_16 {
    static __m128i Block(const Byte_Test& test, const unsigned char* at)
    {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        return _mm_cmpeq_epi8(_mm_or_si128(bytes, _mm_set1_epi8(static_cast<char>(test.mask))),
                              _mm_set1_epi8(static_cast<char>(test.want)));
    }
    static std::uint64_t Candidates(const Search& search, const unsigned char* at)
    {
        __m128i lanes[4];
        for (int k = 0; k < 4; ++k)
            lanes[k] =
                _mm_and_si128(Block(search.first, at + 16 * k), Block(search.last, at + 16 * k + search.length - 1));
        const __m128i any = _mm_or_si128(_mm_or_si128(lanes[0], lanes[1]), _mm_or_si128(lanes[2], lanes[3]));
        if (_mm_movemask_epi8(any) == 0) return 0;
        std::uint64_t mask = 0;
        for (int k = 0; k < 4; ++k)
            mask |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(lanes[k]))) << (16 * k);
        return mask;
    }
};

// AVX2: two blocks of 32 starts.
struct Lanes_32 {
    __attribute__((target("avx2"))) static std::uint64_t Candidates(const Search& search, const unsigned char* at)
    {
        std::uint64_t mask = 0;
        for (int k = 0; k < 2; ++k) {
            const __m256i heads = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at + 32 * k));
            const __m256i tails = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at + 32 * k + search.length - 1));
            const __m256i first =
                _mm256_cmpeq_epi8(_mm256_or_si256(heads, _mm256_set1_epi8(static_cast<char>(search.first.mask))),
                                  _mm256_set1_epi8(static_cast<char>(search.first.want)));
            const __m256i last =
                _mm256_cmpeq_epi8(_mm256_or_si256(tails, _mm256_set1_epi8(static_cast<char>(search.last.mask))),
                                  _mm256_set1_epi8(static_cast<char>(search.last.want)));
            mask |=
                static_cast<std::uint64_t>(static_cast<unsigned>(_mm256_movemask_epi8(_mm256_and_si256(first, last))))
                << (32 * k);
        }
        return mask;
    }
};

[[gnu::noinline]] std::int64_t Next_Step_16(const Search& search, std::int64_t p, std::int64_t last_start,
                                            std::uint64_t& mask)
{
    return Next_Step<Lanes_16>(search, p, last_start, mask);
}

[[gnu::noinline]] __attribute__((target("avx2"))) std::int64_t
Next_Step_32(const Search& search, std::int64_t p, std::int64_t last_start, std::uint64_t& mask)
{
    return Next_Step<Lanes_32>(search, p, last_start, mask);
}

bool Has_Avx2()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
}

#endif

bool Always() { return true; }

// The widths of the candidate filter, the widest last; a width is there only when the
// processor has its instructions, which the system keeps switched on. There is no AVX-512
// filter: where it was measured it was no faster than AVX2 over a whole lookup, and slower
// on the bytes that a search has just brought into the second-level cache.
struct Width {
    int bytes;
    Scan_Function scan;
    bool (*available)();
};

constexpr Width Widths[] = {{1, Scan_Bytes, Always},
#if defined(VOREL_X86_VECTORS)
                            {16, Scan_Steps<Next_Step_16>, Always},
                            {32, Scan_Steps<Next_Step_32>, Has_Avx2}
#endif
};

Scan_Function Chosen_Scan = nullptr;

Scan_Function Current_Scan()
{
    if (Chosen_Scan == nullptr) Set_Search_Width(0);
    return Chosen_Scan;
}

// As the chosen scan, over the bytes as they come in: the starts whose bytes are all in are
// scanned, then the next block is brought in, until a match or the end of the starts or of
// the file.
std::int64_t Scan_As_Filled(const Search& search, std::int64_t p, std::int64_t last_start)
{
    const Scan_Function scan = Current_Scan();
    for (;;) {
        std::int64_t ready = static_cast<std::int64_t>(Filled_Length) - search.length;
        if (ready > last_start) ready = last_start;
        if (p <= ready) {
            const std::int64_t found = scan(search, p, ready);
            if (found >= 0) return found;
            p = ready + 1;
        }
        if (p > last_start || !Fill_Next_Block()) return -1;
    }
}

// The first candidate position of a search from `from`: from + 1, and 0 for any from below 0.
std::int64_t First_Candidate(std::int32_t from) { return from < 0 ? 0 : static_cast<std::int64_t>(from) + 1; }

// The position of the next byte 0 at or after p, or -1.
std::int32_t Find_Nul(std::int64_t p)
{
    if (p >= File_Length) return -1;
    const std::int32_t nul = Skip_To_Nul(static_cast<std::int32_t>(p));
    return nul < File_Length ? nul : -1;
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
    const std::int64_t found = Scan_As_Filled(search, p, static_cast<std::int64_t>(File_Length) - length);
    return found < 0 ? -1 : static_cast<std::int32_t>(found + length);
}

}  // namespace

int Set_Search_Width(int bytes)
{
    const Width* chosen = nullptr;
    for (const Width& width : Widths)
        if ((bytes == 0 || width.bytes == bytes) && width.available()) chosen = &width;
    if (chosen == nullptr) return -1;
    Chosen_Scan = chosen->scan;
    return chosen->bytes;
}

std::int32_t Find_Text(const char* text, std::int32_t from) { return Find(text, from, false); }

std::int32_t Find_Text_Within(const char* text, std::int32_t from, std::int32_t window)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    const std::int64_t length = static_cast<std::int64_t>(std::strlen(text));
    const std::int64_t p = First_Candidate(from);
    const std::int64_t limit = static_cast<std::int64_t>(from) + window;  // a result must lie below it
    if (length == 0) {
        for (std::int64_t q = p; q < limit; ++q) {
            const int byte = q < File_Length ? Buffer_Byte(static_cast<std::int32_t>(q)) : -1;
            if (byte <= 0) return byte == 0 ? static_cast<std::int32_t>(q) : -1;
        }
        return -1;
    }
    std::int64_t last_start = limit - 1 - length;
    if (last_start > static_cast<std::int64_t>(File_Length) - length) last_start = File_Length - length;
    const Search search = {bytes, length, false, Test_For(bytes[0], false), Test_For(bytes[length - 1], false)};
    const std::int64_t found = Scan_As_Filled(search, p, last_start);
    return found < 0 ? -1 : static_cast<std::int32_t>(found + length);
}

std::int32_t Find_Text_No_Case(const char* text, std::int32_t from) { return Find(text, from, true); }
