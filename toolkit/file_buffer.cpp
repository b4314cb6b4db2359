// The file buffer: one whole file in one block of exactly its size, read with one read,
// and the bounded byte scans over it. Owns File_Buffer, File_Length and the memory under them.
#include "toolkit/toolkit.h"

#include <cstdlib>
#include <cstring>
#include <limits>

#if defined(__SANITIZE_ADDRESS__)
#define VOREL_MARK_BLOCKS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VOREL_MARK_BLOCKS 1
#endif
#endif
#if defined(VOREL_MARK_BLOCKS)
#include <sanitizer/asan_interface.h>
#endif

namespace {

// The memory under File_Buffer. A body-part lookup loads dozens of plugins and then masters
// of up to about 80 MB, hundreds of times in a run. A block taken afresh from the system for
// every load would come as fresh pages, whose faults and zero-filling cost more than the read
// itself; so the memory of a released block is kept, and the next block is placed in it when
// it fits. A larger file replaces it (the old memory goes first, so the peak is the largest
// file), and Free_File_Buffer hands it back. No byte of a file is kept: every load reads
// its file afresh. Each block is exactly its file's size: the sanitizer build marks the
// kept memory beyond it as unreadable.
unsigned char* Kept_Memory = nullptr;
std::int64_t Kept_Size = 0;

void Mark_Block(std::int64_t size)
{
#if defined(VOREL_MARK_BLOCKS)
    ASAN_UNPOISON_MEMORY_REGION(Kept_Memory, static_cast<size_t>(size));
    ASAN_POISON_MEMORY_REGION(Kept_Memory + size, static_cast<size_t>(Kept_Size - size));
#else
    (void)size;
#endif
}

void Release_Kept_Memory()
{
    Mark_Block(Kept_Size);
    std::free(Kept_Memory);
    Kept_Memory = nullptr;
    Kept_Size = 0;
}

// A block of exactly size bytes, not zero-filled, or null when there is no memory for it.
unsigned char* Take_Block(std::int32_t size)
{
    if (size > Kept_Size) {
        Release_Kept_Memory();
        Kept_Memory = static_cast<unsigned char*>(std::malloc(static_cast<size_t>(size)));
        Kept_Size = Kept_Memory != nullptr ? size : 0;
    }
    if (Kept_Memory == nullptr) return nullptr;
    Mark_Block(size);
    return Kept_Memory;
}

// The file's size in bytes, or 0 when it cannot be told or would not fit a position.
std::int32_t File_Size(std::FILE* file)
{
    if (std::fseek(file, 0, SEEK_END) != 0) return 0;
    const long size = std::ftell(file);
    std::fseek(file, 0, SEEK_SET);
    if (size <= 0 || size > std::numeric_limits<std::int32_t>::max()) return 0;
    return static_cast<std::int32_t>(size);
}

}  // namespace

int Load_File_Buffer(const char* path)
{
    std::FILE* file = Open_For_Reading(path);
    // Unbuffered: the one read goes straight into the block, with no stream buffer between.
    if (file != nullptr) std::setvbuf(file, nullptr, _IONBF, 0);
    const std::int32_t size = file != nullptr ? File_Size(file) : 0;
    File_Buffer = nullptr;  // the previous block is released; its memory is kept for this one
    File_Length = 0;
    if (size > 0) File_Buffer = Take_Block(size);
    if (File_Buffer != nullptr) {
        // A file that shrank since its size was taken gives only the bytes really read.
        File_Length = static_cast<std::int32_t>(std::fread(File_Buffer, 1, static_cast<size_t>(size), file));
    }
    if (file != nullptr) std::fclose(file);
    return 0;
}

int Free_File_Buffer()
{
    Release_Kept_Memory();
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
