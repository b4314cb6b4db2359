// The platform layer on Windows: paths are used as they are spelled, and every file is
// opened with sharing allowed, so the game side can read, write, delete and replace the files
// that a program holds open.
#include "platform/platform.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstring>
#include <string>

void Os_Sleep(int milliseconds)
{
    if (milliseconds > 0) Sleep(static_cast<DWORD>(milliseconds));
}

int Os_File_Exists(const char* path)
{
    if (path == nullptr || path[0] == '\0') return 0;
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES ? 1 : 0;
}

namespace {

// What a binary stdio mode asks of the system and of the C runtime's descriptor.
struct Open_Mode {
    const char* mode;
    DWORD access;
    DWORD creation;
    int flags;
};

constexpr Open_Mode Open_Modes[] = {
    {"rb", GENERIC_READ, OPEN_EXISTING, _O_RDONLY | _O_BINARY},
    {"wb", GENERIC_WRITE, CREATE_ALWAYS, _O_WRONLY | _O_BINARY},
    {"ab", GENERIC_WRITE, OPEN_ALWAYS, _O_WRONLY | _O_APPEND | _O_BINARY},
    {"r+b", GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING, _O_RDWR | _O_BINARY},
};

}  // namespace

// The C runtime's own opens share a file for reading and writing only: while a program held
// it, the game side could neither delete it nor rename another file over it.
std::FILE* Os_Open_File(const char* path, const char* mode)
{
    if (path == nullptr || path[0] == '\0' || mode == nullptr) return nullptr;
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return nullptr;
    for (const Open_Mode& open : Open_Modes) {
        if (std::strcmp(open.mode, mode) != 0) continue;
        HANDLE handle = CreateFileA(path, open.access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    open.creation, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) return nullptr;
        const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), open.flags);
        if (descriptor == -1) {
            CloseHandle(handle);
            return nullptr;
        }
        std::FILE* file = _fdopen(descriptor, mode);
        if (file == nullptr) _close(descriptor);
        return file;
    }
    return nullptr;
}

long long Os_File_Size(std::FILE* file)
{
    if (file == nullptr) return -1;
    return _filelengthi64(_fileno(file));
}

namespace {

bool Identify_File(const char* path, BY_HANDLE_FILE_INFORMATION& info)
{
    HANDLE handle = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    const bool known = GetFileInformationByHandle(handle, &info) != 0;
    CloseHandle(handle);
    return known;
}

}  // namespace

int Os_Same_File(const char* first_path, const char* second_path)
{
    if (first_path == nullptr || second_path == nullptr || first_path[0] == '\0' || second_path[0] == '\0') return 0;
    BY_HANDLE_FILE_INFORMATION first;
    BY_HANDLE_FILE_INFORMATION second;
    if (!Identify_File(first_path, first) || !Identify_File(second_path, second)) return 0;
    return (first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
            first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow)
               ? 1
               : 0;
}

int Os_Replace_File(const char* temporary_path, const char* path)
{
    if (temporary_path == nullptr || path == nullptr || temporary_path[0] == '\0' || path[0] == '\0') return -1;
    return MoveFileExA(temporary_path, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0 ? 0 : -1;
}

int Os_Remove_File(const char* path)
{
    if (path == nullptr || path[0] == '\0') return -1;
    return DeleteFileA(path) != 0 ? 0 : -1;
}

int Os_Remove_Files_Ending_In(const char* folder, const char* ending)
{
    if (folder == nullptr || ending == nullptr || ending[0] == '\0') return 0;
    const std::string prefix = folder;
    // A pattern also matches short 8.3 names: every long name is tested for the ending here.
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((prefix + "*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return 0;
    const size_t ending_length = std::strlen(ending);
    int removed = 0;
    do {
        const size_t length = std::strlen(entry.cFileName);
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
        if (length <= ending_length || std::strcmp(entry.cFileName + length - ending_length, ending) != 0) continue;
        if (DeleteFileA((prefix + entry.cFileName).c_str()) != 0) ++removed;
    } while (FindNextFileA(search, &entry) != 0);
    FindClose(search);
    return removed;
}
