// The straightforward lookup: each data file read whole into a block of its size, and every
// position tested in turn, each byte folded on both sides before it is compared.
#include "bench/baseline_search.h"

#include "platform/platform.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace bench {

namespace {

struct Plain_Buffer {
    unsigned char* bytes;
    std::int64_t length;
};

unsigned char Fold(unsigned char c) { return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 32) : c; }

void Load(Plain_Buffer& buffer, const std::string& path)
{
    std::free(buffer.bytes);
    buffer = {nullptr, 0};
    std::FILE* file = Os_Open_File(path.c_str(), "rb");
    if (file == nullptr) return;
    std::fseek(file, 0, SEEK_END);
    const long size = std::ftell(file);
    std::fseek(file, 0, SEEK_SET);
    if (size > 0) buffer.bytes = static_cast<unsigned char*>(std::malloc(static_cast<size_t>(size)));
    if (buffer.bytes != nullptr)
        buffer.length = static_cast<std::int64_t>(std::fread(buffer.bytes, 1, static_cast<size_t>(size), file));
    std::fclose(file);
}

// The position just after the first match from from + 1 on, or -1.
std::int64_t Plain_Find_No_Case(const Plain_Buffer& buffer, const char* text, std::int64_t from)
{
    const auto* wanted = reinterpret_cast<const unsigned char*>(text);
    const std::int64_t length = static_cast<std::int64_t>(std::strlen(text));
    for (std::int64_t p = from + 1; p < buffer.length; ++p) {
        std::int64_t i = 0;
        while (i < length && p + i < buffer.length && Fold(buffer.bytes[p + i]) == Fold(wanted[i])) ++i;
        if (i == length) return p + length;
    }
    return -1;
}

bool Modl_Follows(const Plain_Buffer& buffer, std::int64_t match_end)
{
    return match_end + 5 <= buffer.length && std::memcmp(buffer.bytes + match_end + 1, "MODL", 4) == 0;
}

}  // namespace

Lookup_Answer Baseline_Find_ID(const std::vector<std::string>& paths, const char* id)
{
    Plain_Buffer buffer = {nullptr, 0};
    Lookup_Answer answer = {-1, -1};
    for (size_t i = 0; i < paths.size() && answer.index < 0; ++i) {
        Load(buffer, paths[i]);
        std::int64_t at = 0;
        while ((at = Plain_Find_No_Case(buffer, id, at)) != -1) {
            if (!Modl_Follows(buffer, at)) continue;
            answer = {static_cast<int>(i), static_cast<std::int32_t>(at)};
            break;
        }
    }
    std::free(buffer.bytes);
    return answer;
}

}  // namespace bench
