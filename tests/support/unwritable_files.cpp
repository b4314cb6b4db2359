// The unwritable files of the tests, and the file-size limit lowered for a while and raised again.
#include "tests/support/unwritable_files.h"

#include "tests/support/bound_user.h"

#include <signal.h>
#include <sys/resource.h>

#include <filesystem>

File_Size_Limit::File_Size_Limit(long long bytes)
{
    rlimit limit;
    if (bytes < 0 || getrlimit(RLIMIT_FSIZE, &limit) != 0) return;
    signal(SIGXFSZ, SIG_IGN);
    previous = static_cast<long long>(limit.rlim_cur);
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    setrlimit(RLIMIT_FSIZE, &limit);
}

File_Size_Limit::~File_Size_Limit()
{
    rlimit limit;
    if (previous == -1 || getrlimit(RLIMIT_FSIZE, &limit) != 0) return;
    limit.rlim_cur = static_cast<rlim_t>(previous);
    setrlimit(RLIMIT_FSIZE, &limit);
}

const std::vector<Unwritable_Case>& Unwritable_Cases()
{
    static const std::vector<Unwritable_Case> cases = {
        {"a full disk", [](const std::string&) {}, 4096, true},
        {"a read-only file", [](const std::string& path) { Make_Read_Only(path); }, -1, true},
        {"a folder in its place",
         [](const std::string& path) {
             std::filesystem::remove(path);
             std::filesystem::create_directory(path);
         },
         -1, false},
        {"a missing folder",
         [](const std::string& path) { std::filesystem::remove_all(std::filesystem::path(path).parent_path()); }, -1,
         false},
    };
    return cases;
}
