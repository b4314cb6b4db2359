// The scripted stand-in of the platform layer: real files, answers that the test may change.
// Paths are taken as they are spelled, with "\" as "/"; no letter-case search.
#include "tests/toolkit/read_open/scripted_platform.h"

#include "platform/platform.h"

#include <sys/stat.h>

std::function<bool(const Platform_Call&)> Platform_Script;

namespace {

std::string Posix_Path(const char* path)
{
    std::string posix = path;
    for (char& c : posix)
        if (c == '\\') c = '/';
    return posix;
}

bool Scripted_Failure(const std::string& what, const char* path)
{
    return Platform_Script && Platform_Script(Platform_Call{what, path});
}

}  // namespace

void Os_Sleep(int) {}

int Os_File_Exists(const char* path)
{
    Scripted_Failure("exists", path);
    struct stat info;
    return stat(Posix_Path(path).c_str(), &info) == 0 ? 1 : 0;
}

std::FILE* Os_Open_File(const char* path, const char* mode)
{
    if (Scripted_Failure(std::string("open ") + mode, path)) return nullptr;
    struct stat info;
    const std::string posix = Posix_Path(path);
    if (stat(posix.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return nullptr;
    return std::fopen(posix.c_str(), mode);
}

int Os_Same_File(const char*, const char*) { return 0; }

int Os_Replace_File(const char* temporary_path, const char* path)
{
    return std::rename(Posix_Path(temporary_path).c_str(), Posix_Path(path).c_str()) == 0 ? 0 : -1;
}

int Os_Remove_File(const char* path) { return std::remove(Posix_Path(path).c_str()) == 0 ? 0 : -1; }

int Os_Remove_Files_Ending_In(const char*, const char*) { return 0; }
