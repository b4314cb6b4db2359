// The ways a player's file comes to refuse writes, as the tests bring them about: read-only
// (binding when the test works as the bound user), a folder in its place, its folder missing,
// and a full disk without root or a file system of its own: a file-size limit of the test
// process, under which a write past the limit fails as on a full disk.
#pragma once

#include <string>
#include <vector>

// While a File_Size_Limit lives, no file of the test process grows past bytes; -1 leaves the
// limit as it is. The signal that would end the process at the limit is ignored.
class File_Size_Limit {
public:
    explicit File_Size_Limit(long long bytes);
    ~File_Size_Limit();
    File_Size_Limit(const File_Size_Limit&) = delete;
    File_Size_Limit& operator=(const File_Size_Limit&) = delete;

private:
    long long previous = -1;
};

struct Unwritable_Case {
    const char* what;
    void (*prepare)(const std::string& path);  // makes the file at this absolute path unwritable
    long long file_size_limit;                 // what a write to it must be held to, or -1
    bool file_kept;                            // the file is still there afterwards, its bytes unchanged
};

// A file that holds at most a few bytes when the case is prepared, and whose new content is
// larger than the limit.
const std::vector<Unwritable_Case>& Unwritable_Cases();
