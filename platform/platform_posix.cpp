// The platform layer on POSIX systems. A game folder copied from Windows keeps the
// letter case of its files as they were made, while the programs spell paths as the
// game does, so every component of a path is looked up without regard to ASCII case.
#include "platform/platform.h"

#include <dirent.h>
#include <sys/stat.h>
#include <time.h>

#include <cerrno>
#include <string>

namespace {

char Fold_Ascii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool Same_Without_Case(const char* a, const std::string& b)
{
    size_t i = 0;
    for (; a[i] != '\0' && i < b.size(); ++i)
        if (Fold_Ascii(a[i]) != Fold_Ascii(b[i])) return false;
    return a[i] == '\0' && i == b.size();
}

bool Exists(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

// The entry of folder whose name equals name without regard to ASCII case; when several
// do, the smallest in byte order, so that the choice does not depend on the folder order.
bool Find_Entry_Without_Case(const std::string& folder, const std::string& name, std::string& found)
{
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) return false;
    bool any = false;
    while (const dirent* entry = readdir(dir)) {
        if (!Same_Without_Case(entry->d_name, name)) continue;
        if (!any || found.compare(entry->d_name) > 0) found = entry->d_name;
        any = true;
    }
    closedir(dir);
    return any;
}

// The path as this system spells it: "\" becomes "/", and each component that does not
// exist as written takes the spelling of an entry that differs only in letter case. A
// component that matches nothing keeps its spelling, so a new file gets the name given.
std::string Resolve_Path(const char* path)
{
    std::string resolved;
    std::string component;
    bool searching = true;
    for (const char* c = path;; ++c) {
        if (*c != '\0' && *c != '\\' && *c != '/') {
            component += *c;
            continue;
        }
        if (!component.empty()) {
            std::string candidate = resolved + component;
            std::string entry;
            if (searching && !Exists(candidate) && component != "." && component != "..") {
                if (Find_Entry_Without_Case(resolved, component, entry))
                    candidate = resolved + entry;
                else
                    searching = false;
            }
            resolved = candidate;
            component.clear();
        }
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
    const std::string resolved = Resolve_Path(path);
    struct stat info;
    if (stat(resolved.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return nullptr;
    return std::fopen(resolved.c_str(), mode);
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
