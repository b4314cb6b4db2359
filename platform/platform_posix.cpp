// The platform layer on POSIX systems. A game folder copied from Windows keeps the
// letter case of its files as they were made, and a copy onto a POSIX disk names them in
// UTF-8 where the game spells them in its Windows code page, so every component of a path
// that does not exist as written is looked for in other letter case, then in the code pages.
#include "platform/platform.h"

#include "platform/code_pages.h"
#include "platform/folder_listing.h"

#include <sys/stat.h>
#include <time.h>

#include <cerrno>
#include <string>

namespace {

bool Exists(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

// Sets entry to what stands in folder for component: the component itself when it exists as
// written; else an entry that differs from it only in ASCII letter case; else the component
// read in each of the game's code pages in turn and written in UTF-8, as written or in other
// letter case. False when nothing does.
bool Find_Component(const std::string& folder, const std::string& component, std::string& entry)
{
    entry = component;
    if (Exists(folder + component) || Find_Entry_Without_Case(folder, component, entry)) return true;
    for (int page = 0; page < Code_Page_Count; ++page) {
        std::string read;
        if (!Code_Page_Name_In_Utf8(page, component, read)) continue;
        entry = read;
        if (Exists(folder + read) || Find_Entry_Without_Case(folder, read, entry)) return true;
    }
    return false;
}

// The path as this system spells it: "\" becomes "/", and each component takes the spelling
// of the entry that stands for it. A component that matches nothing keeps its spelling, byte
// for byte, so a new file gets the name given; the components after it are not looked for.
std::string Resolve_Path(const char* path)
{
    // Most paths exist as written: one look at the whole path, not one per component, for
    // the thousands of loads of a run.
    std::string as_written = path;
    for (char& c : as_written)
        if (c == '\\') c = '/';
    if (Exists(as_written)) return as_written;
    std::string resolved;
    std::string component;
    bool searching = true;
    for (const char* c = path;; ++c) {
        if (*c != '\0' && *c != '\\' && *c != '/') {
            component += *c;
            continue;
        }
        if (searching && !component.empty() && component != "." && component != "..") {
            std::string entry;
            if (Find_Component(resolved, component, entry))
                component = entry;
            else
                searching = false;
        }
        resolved += component;
        component.clear();
        if (*c == '\0') break;
        resolved += '/';
    }
    return resolved;
}

}  // namespace

void Os_Sleep(int milliseconds)
{
    if (milliseconds <= 0) return;
    timespec wait{milliseconds / 1000, static_cast<long>(milliseconds % 1000) * 1000000L};
    while (nanosleep(&wait, &wait) != 0 && errno == EINTR) {}
}

int Os_File_Exists(const char* path)
{
    if (path == nullptr || path[0] == '\0') return 0;
    return Exists(Resolve_Path(path)) ? 1 : 0;
}

std::FILE* Os_Open_File(const char* path, const char* mode)
{
    if (path == nullptr || path[0] == '\0') return nullptr;
    std::FILE* file = std::fopen(Resolve_Path(path).c_str(), mode);
    // A folder opens for reading on POSIX systems; no program reads one as a file.
    struct stat info;
    if (file != nullptr && fstat(fileno(file), &info) == 0 && S_ISDIR(info.st_mode)) {
        std::fclose(file);
        return nullptr;
    }
    return file;
}

long long Os_File_Size(std::FILE* file)
{
    struct stat info;
    if (file == nullptr || fstat(fileno(file), &info) != 0) return -1;
    return static_cast<long long>(info.st_size);
}

int Os_Same_File(const char* first_path, const char* second_path)
{
    struct stat first;
    struct stat second;
    if (first_path == nullptr || second_path == nullptr || first_path[0] == '\0' || second_path[0] == '\0') return 0;
    if (stat(Resolve_Path(first_path).c_str(), &first) != 0) return 0;
    if (stat(Resolve_Path(second_path).c_str(), &second) != 0) return 0;
    return (first.st_dev == second.st_dev && first.st_ino == second.st_ino) ? 1 : 0;
}
