// The file buffer: one whole file in one block of exactly its size, read with one read,
// and the bounded byte scans over it. Owns File_Buffer and File_Length.
#include "toolkit/toolkit.h"

#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

// The file's size in bytes, or 0 when it cannot be told or would not fit a position.
std::int32_t File_Size(std::FILE* file)
{
    if (std::fseek(file, 0, SEEK_END) != 0) return 0;
    const long size = std::ftell(file);
    std::fseek(file, 0, SEEK_SET);
    if (size <= 0 || size > std::numeric_limits<std::int32_t>::max()) return 0;
    return static_cast<std::int32_t>(size);
}

} // namespace

int Load_File_Buffer(const char* path)
{
    std::FILE* file = Open_For_Reading(path);
    const std::int32_t size = file != nullptr ? File_Size(file) : 0;
    Free_File_Buffer();
    if (size > 0) File_Buffer = static_cast<unsigned char*>(std::malloc(static_cast<size_t>(size)));
    if (File_Buffer != nullptr) {
        // A file that shrank since its size was taken gives only the bytes really read.
        File_Length = static_cast<std::int32_t>(std::fread(File_Buffer, 1, static_cast<size_t>(size), file));
    }
    if (file != nullptr) std::fclose(file);
    return 0;
}

int Free_File_Buffer()
{
    std::free(File_Buffer);
    File_Buffer = nullptr;
    File_Length = 0;
    return 0;
}

int Buffer_Byte(std::int32_t pos)
{
    if (pos < 0 || pos >= File_Length) return -1;
    return File_Buffer[pos];
}

std::int32_t Skip_Nuls(std::int32_t pos)
{
    if (pos < 0 || pos >= File_Length) return pos;
    while (pos < File_Length && File_Buffer[pos] == 0) ++pos;
    return pos;
}

std::int32_t Skip_To_Nul(std::int32_t pos)
{
    if (pos < 0 || pos >= File_Length) return pos;
    const void* nul = std::memchr(File_Buffer + pos, 0, static_cast<size_t>(File_Length - pos));
    return nul != nullptr ? static_cast<std::int32_t>(static_cast<const unsigned char*>(nul) - File_Buffer)
                          : File_Length;
}

int Copy_Buffer_Range(char* dst, std::int32_t first, std::int32_t last)
{
    const std::int32_t low = first < 0 ? 0 : first;
    const std::int32_t high = last >= File_Length ? File_Length - 1 : last;
    if (high < low) return 0;
    std::memcpy(dst + (low - first), File_Buffer + low, static_cast<size_t>(high - low + 1));
    return 0;
}
