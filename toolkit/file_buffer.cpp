// The file buffer: the loaded file, brought into one block of exactly its size a block at a
// time, as far as a search, a byte read or a copy reaches, and the bounded byte scans over
// it. Owns File_Buffer, File_Length, the open file and the memory under them.
#include "toolkit/buffer_fill.h"
#include "toolkit/toolkit.h"

#include "platform/platform.h"

#include <cstdlib>
#include <cstring>

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

unsigned char* File_Buffer = nullptr;
std::int32_t Filled_Length = 0;

namespace {

constexpr std::int32_t Default_Fill_Block = 256 * 1024;
std::int32_t Fill_Block = Default_Fill_Block;

// The loaded file while it still has bytes to give; closed by the next load, by
// Free_File_Buffer, and as soon as its last byte has come in.
std::FILE* Loaded_File = nullptr;

// The memory under File_Buffer. A body-part lookup loads dozens of plugins and then masters
// of up to about 80 MB, hundreds of times in a run. A block taken afresh from the system for
// every load would come as fresh pages, whose faults and zero-filling cost more than the read
// itself; so the memory of a released block is kept, and the next block is placed in it when
// it fits. A larger file replaces it (the old memory goes first, so the peak is the largest
// file), and Free_File_Buffer hands it back. No byte of a file is kept: every load reads
// its file afresh. The sanitizer build marks all but the filled bytes as unreadable, so a
// read of a byte that has not come in yet is caught.
unsigned char* Kept_Memory = nullptr;
std::int64_t Kept_Size = 0;

// Marks bytes first to first + count - 1 of the kept memory as holding bytes of the file, or
// as not holding them; nothing outside the sanitizer build.
void Mark_Bytes(std::int64_t first, std::int64_t count, bool holding)
{
#if defined(VOREL_MARK_BLOCKS)
    if (holding)
        ASAN_UNPOISON_MEMORY_REGION(Kept_Memory + first, static_cast<size_t>(count));
    else
        ASAN_POISON_MEMORY_REGION(Kept_Memory + first, static_cast<size_t>(count));
#else
    (void)first;
    (void)count;
    (void)holding;
#endif
}

void Release_Kept_Memory()
{
    Mark_Bytes(0, Kept_Size, true);
    std::free(Kept_Memory);
    Kept_Memory = nullptr;
    Kept_Size = 0;
}

// A block of at least size bytes, not zero-filled, or null when there is no memory for it.
unsigned char* Take_Block(std::int32_t size)
{
    if (size > Kept_Size) {
        Release_Kept_Memory();
        Kept_Memory = static_cast<unsigned char*>(std::malloc(static_cast<size_t>(size)));
        Kept_Size = Kept_Memory != nullptr ? size : 0;
    }
    return Kept_Memory;
}

void Close_Loaded_File()
{
    if (Loaded_File != nullptr) std::fclose(Loaded_File);
    Loaded_File = nullptr;
}

// The files said to be too large: a body-part lookup loads every data file again and again,
// and a file is named once a run.
constexpr int Max_Too_Large = Max_Data_Files + 1;
Path_Slot Too_Large[Max_Too_Large];
int Too_Large_Count = 0;

void Report_Too_Large(const char* path)
{
    for (int i = 0; i < Too_Large_Count; ++i)
        if (std::strcmp(Too_Large[i], path) == 0) return;
    if (Too_Large_Count < Max_Too_Large) Join_Text(Too_Large[Too_Large_Count++], Path_Slot_Size, path);
    Print_Line("Error! File too large to read: ", path);
}

// The file's size in bytes, or 0 when it cannot be told or is larger than a load takes.
std::int32_t File_Size(std::FILE* file, const char* path)
{
    const long long size = Os_File_Size(file);
    if (size > Largest_File_Length) Report_Too_Large(path);
    if (size <= 0 || size > Largest_File_Length) return 0;
    return static_cast<std::int32_t>(size);
}

}  // namespace

bool Fill_Next_Block()
{
    if (Loaded_File == nullptr) return false;
    const std::int32_t wanted = File_Length - Filled_Length < Fill_Block ? File_Length - Filled_Length : Fill_Block;
    Mark_Bytes(Filled_Length, wanted, true);
    const size_t got = std::fread(File_Buffer + Filled_Length, 1, static_cast<size_t>(wanted), Loaded_File);
    Filled_Length += static_cast<std::int32_t>(got);
    Mark_Bytes(Filled_Length, wanted - static_cast<std::int64_t>(got), false);
    // A file that shrank since its size was taken gives only the bytes really read.
    if (got < static_cast<size_t>(wanted)) File_Length = Filled_Length;
    if (Filled_Length == File_Length) Close_Loaded_File();
    return got > 0;
}

bool Fill_To(std::int64_t end)
{
    while (Filled_Length < end && Fill_Next_Block()) {}
    return Filled_Length >= end;
}

int Load_File_Buffer(const char* path)
{
    Close_Loaded_File();
    File_Buffer = nullptr;  // the previous block is released; its memory is kept for this one
    File_Length = 0;
    Filled_Length = 0;
    std::FILE* file = Open_For_Reading(path);
    if (file == nullptr) return 0;
    // Unbuffered: every read goes straight into the block, with no stream buffer between.
    std::setvbuf(file, nullptr, _IONBF, 0);
    const std::int32_t size = File_Size(file, path);
    if (size > 0) File_Buffer = Take_Block(size);
    if (File_Buffer == nullptr) {
        std::fclose(file);
        return 0;
    }
    File_Length = size;
    Loaded_File = file;
    Mark_Bytes(0, Kept_Size, false);
    return 0;
}

int Free_File_Buffer()
{
    Close_Loaded_File();
    Release_Kept_Memory();
    File_Buffer = nullptr;
    File_Length = 0;
    Filled_Length = 0;
    return 0;
}

int Is_File_Buffer_Free() { return Kept_Memory == nullptr && Loaded_File == nullptr ? 1 : 0; }

int Set_Fill_Block_Size(std::int32_t bytes)
{
    Fill_Block = bytes > 0 ? bytes : Default_Fill_Block;
    return Fill_Block;
}

namespace {

// True when pos lies inside the file and its byte has come in.
bool Bring_In(std::int32_t pos) { return pos >= 0 && pos < File_Length && Fill_To(static_cast<std::int64_t>(pos) + 1); }

}  // namespace

int Buffer_Byte(std::int32_t pos) { return Bring_In(pos) ? File_Buffer[pos] : -1; }

std::int32_t Skip_Nuls(std::int32_t pos)
{
    if (!Bring_In(pos)) return pos;
    do {
        while (pos < Filled_Length && File_Buffer[pos] == 0) ++pos;
    } while (pos == Filled_Length && Fill_Next_Block());
    return pos;
}

std::int32_t Skip_To_Nul(std::int32_t pos)
{
    if (!Bring_In(pos)) return pos;
    do {
        const void* nul = std::memchr(File_Buffer + pos, 0, static_cast<size_t>(Filled_Length - pos));
        if (nul != nullptr) return static_cast<std::int32_t>(static_cast<const unsigned char*>(nul) - File_Buffer);
        pos = Filled_Length;
    } while (Fill_Next_Block());
    return pos;
}

int Copy_Buffer_Range(char* dst, std::int32_t first, std::int32_t last)
{
    const std::int32_t low = first < 0 ? 0 : first;
    std::int32_t high = last >= File_Length ? File_Length - 1 : last;
    if (high < low) return 0;
    Fill_To(static_cast<std::int64_t>(high) + 1);
    if (high >= Filled_Length) high = Filled_Length - 1;
    if (high < low) return 0;
    std::memcpy(dst + (low - first), File_Buffer + low, static_cast<size_t>(high - low + 1));
    return 0;
}
