// The floor's read and pass: open, one read into the touched block, close, and memchr for
// a byte the file does not hold, so that one call passes over all the bytes to be scanned.
#include "bench/floor_pass.h"

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

}  // namespace bench
