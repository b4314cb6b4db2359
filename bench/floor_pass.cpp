// The floor's reads and passes: open, reads into the touched block, close; for a lister a
// memchr for a byte the file does not hold, so that one call passes over all the bytes to be
// scanned; for a lookup a first-and-last-byte scan with the widest vectors of this machine.
#include "bench/floor_pass.h"

#include <immintrin.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace bench {

namespace {

std::int64_t Read_Whole(const std::string& path, unsigned char* into, std::int64_t capacity)
{
    const int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0) return 0;
    std::int64_t got = 0;
    while (got < capacity) {
        const ssize_t n = read(fd, into + got, static_cast<size_t>(capacity - got));
        if (n <= 0) break;
        got += n;
    }
    close(fd);
    return got;
}

unsigned char Rarest_Byte(const unsigned char* bytes, std::int64_t length)
{
    std::int64_t counts[256] = {};
    for (std::int64_t i = 0; i < length; ++i) ++counts[bytes[i]];
    int rarest = 255;
    for (int b = 255; b >= 0; --b)
        if (counts[b] < counts[rarest]) rarest = b;
    return static_cast<unsigned char>(rarest);
}

}  // namespace

Floor_Files Prepare_Floor(const std::vector<std::string>& paths)
{
    Floor_Files files;
    files.paths = paths;
    std::int64_t largest = 1;
    for (const std::string& path : paths) {
        struct stat info;
        const std::int64_t size = stat(path.c_str(), &info) == 0 ? static_cast<std::int64_t>(info.st_size) : 0;
        files.sizes.push_back(size);
        if (size > largest) largest = size;
    }
    {
        std::vector<unsigned char> bytes(static_cast<size_t>(largest));
        for (size_t i = 0; i < paths.size(); ++i)
            files.needles.push_back(Rarest_Byte(bytes.data(), Read_Whole(paths[i], bytes.data(), files.sizes[i])));
    }
    files.block = static_cast<unsigned char*>(std::malloc(static_cast<size_t>(largest)));
    return files;
}

void Release_Floor(Floor_Files& files)
{
    std::free(files.block);
    files.block = nullptr;
}

long Floor_Read_And_Pass(Floor_Files& files, size_t i, std::int64_t scanned)
{
    const std::int64_t got = Read_Whole(files.paths[i], files.block, files.sizes[i]);
    const unsigned char* at = files.block;
    const unsigned char* end = at + (scanned < got ? scanned : got);
    long met = 0;
    while (at < end) {
        const void* hit = std::memchr(at, files.needles[i], static_cast<size_t>(end - at));
        if (hit == nullptr) break;
        ++met;
        at = static_cast<const unsigned char*>(hit) + 1;
    }
    return met;
}

namespace {

constexpr std::int64_t Prefix_Block = 256 * 1024;
constexpr std::int64_t Modl_Gap = 5;  // "MODL" begins one byte after the ID and ends 5 bytes after it

unsigned char Fold(unsigned char c) { return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 32) : c; }

// The ID as the scan looks for it; IDs are never empty (the NPC lister writes a default for
// an empty head or hair). A letter passes in either case: byte | 0x20 must equal its lower case.
struct Needle {
    const unsigned char* id;
    std::int64_t length;
    char first_mask, first_want, last_mask, last_want;
};

Needle Needle_For(const char* id)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(id);
    const auto length = static_cast<std::int64_t>(std::strlen(id));
    auto mask = [](unsigned char c) { return static_cast<char>(Fold(c) >= 'A' && Fold(c) <= 'Z' ? 0x20 : 0); };
    auto want = [&](unsigned char c) { return static_cast<char>(c | static_cast<unsigned char>(mask(c))); };
    return {bytes, length, mask(bytes[0]), want(bytes[0]), mask(bytes[length - 1]), want(bytes[length - 1])};
}

bool Id_At(const unsigned char* bytes, const Needle& needle, std::int64_t p)
{
    for (std::int64_t i = 0; i < needle.length; ++i)
        if (Fold(bytes[p + i]) != Fold(needle.id[i])) return false;
    return true;
}

// The 64 starts from at whose first and last byte pass, one bit each.
struct Lanes_256 {
    __attribute__((target("avx2"))) static std::uint64_t Mask(const unsigned char* at, const Needle& needle)
    {
        std::uint64_t mask = 0;
        for (int half = 0; half < 2; ++half) {
            const auto* heads = reinterpret_cast<const __m256i*>(at + 32 * half);
            const auto* tails = reinterpret_cast<const __m256i*>(at + 32 * half + needle.length - 1);
            const __m256i first =
                _mm256_cmpeq_epi8(_mm256_or_si256(_mm256_loadu_si256(heads), _mm256_set1_epi8(needle.first_mask)),
                                  _mm256_set1_epi8(needle.first_want));
            const __m256i last =
                _mm256_cmpeq_epi8(_mm256_or_si256(_mm256_loadu_si256(tails), _mm256_set1_epi8(needle.last_mask)),
                                  _mm256_set1_epi8(needle.last_want));
            const auto bits = static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_and_si256(first, last)));
            mask |= static_cast<std::uint64_t>(bits) << (32 * half);
        }
        return mask;
    }
};

struct Lanes_512 {
    __attribute__((target("avx512f,avx512bw"))) static std::uint64_t Mask(const unsigned char* at, const Needle& needle)
    {
        const __m512i heads = _mm512_or_si512(_mm512_loadu_si512(at), _mm512_set1_epi8(needle.first_mask));
        const __m512i tails =
            _mm512_or_si512(_mm512_loadu_si512(at + needle.length - 1), _mm512_set1_epi8(needle.last_mask));
        return _mm512_cmpeq_epi8_mask(heads, _mm512_set1_epi8(needle.first_want)) &
               _mm512_cmpeq_epi8_mask(tails, _mm512_set1_epi8(needle.last_want));
    }
};

// The first start from p to last at which the ID stands, or -1.
template <class Lanes>
[[gnu::always_inline]] inline std::int64_t Find_With(const unsigned char* bytes, std::int64_t p, std::int64_t last,
                                                     const Needle& needle)
{
    for (; p + 63 <= last; p += 64)
        for (std::uint64_t mask = Lanes::Mask(bytes + p, needle); mask != 0; mask &= mask - 1)
            if (Id_At(bytes, needle, p + __builtin_ctzll(mask))) return p + __builtin_ctzll(mask);
    for (; p <= last; ++p)
        if (Id_At(bytes, needle, p)) return p;
    return -1;
}

__attribute__((target("avx2"))) std::int64_t Find_256(const unsigned char* bytes, std::int64_t p, std::int64_t last,
                                                      const Needle& needle)
{
    return Find_With<Lanes_256>(bytes, p, last, needle);
}

__attribute__((target("avx512f,avx512bw"))) std::int64_t Find_512(const unsigned char* bytes, std::int64_t p,
                                                                  std::int64_t last, const Needle& needle)
{
    return Find_With<Lanes_512>(bytes, p, last, needle);
}

// The first start from p to last whose ID is followed by one byte and "MODL", or -1; as the
// toolkit's lookup, the search goes on one byte after the end of a match that does not
// qualify. p is left where the next scan goes on.
std::int64_t Qualifying_Match(const unsigned char* bytes, std::int64_t& p, std::int64_t last, const Needle& needle,
                              int width)
{
    std::int64_t m;
    while ((m = width == 64 ? Find_512(bytes, p, last, needle) : Find_256(bytes, p, last, needle)) >= 0) {
        p = m + needle.length + 1;
        if (std::memcmp(bytes + m + needle.length + 1, "MODL", 4) == 0) return m;
    }
    p = std::max(p, last + 1);
    return -1;
}

std::int64_t Find_In_Whole(Floor_Files& files, size_t i, const Needle& needle, int width, std::int64_t& bytes_read)
{
    const std::int64_t have = Read_Whole(files.paths[i], files.block, files.sizes[i]);
    bytes_read += have;
    std::int64_t p = 1;  // position 0 is never tested
    return Qualifying_Match(files.block, p, have - needle.length - Modl_Gap, needle, width);
}

std::int64_t Find_In_Prefix(Floor_Files& files, size_t i, const Needle& needle, int width, std::int64_t& bytes_read)
{
    const int fd = open(files.paths[i].c_str(), O_RDONLY);
    if (fd < 0) return -1;
    std::int64_t have = 0, p = 1, found = -1;
    while (found < 0 && have < files.sizes[i]) {
        const ssize_t n =
            read(fd, files.block + have, static_cast<size_t>(std::min(Prefix_Block, files.sizes[i] - have)));
        if (n <= 0) break;
        have += n;
        found = Qualifying_Match(files.block, p, have - needle.length - Modl_Gap, needle, width);
    }
    close(fd);
    bytes_read += have;
    return found;
}

}  // namespace

int Floor_Scan_Width()
{
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw")) return 64;
    return __builtin_cpu_supports("avx2") ? 32 : 0;
}

Floor_Answer Floor_Find_ID(Floor_Files& files, const char* id, Floor_Reads reads, int width)
{
    const Needle needle = Needle_For(id);
    Floor_Answer answer = {-1, -1, 0};
    for (size_t i = 0; i < files.paths.size(); ++i) {
        const std::int64_t m = reads == Floor_Reads::whole ? Find_In_Whole(files, i, needle, width, answer.bytes_read)
                                                           : Find_In_Prefix(files, i, needle, width, answer.bytes_read);
        if (m < 0) continue;
        answer.index = static_cast<int>(i);
        answer.match_end = static_cast<std::int32_t>(m + needle.length);
        break;
    }
    return answer;
}

}  // namespace bench
