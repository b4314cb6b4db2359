// Folder listings for the lookups of the POSIX platform layer that the file system cannot
// answer by itself: a name in other letter case or read in a code page. Owns a process-wide
// cache of recent listings; a listing is used again only while the folder provably has not
// changed since it was read. POSIX build only.
#pragma once

#include <string>
#include <sys/types.h>
#include <time.h>

// What the file system tells of a folder that changes whenever an entry is added, removed or
// renamed in it, or the folder itself is replaced.
struct Folder_Stamp {
    dev_t device;
    ino_t inode;
    timespec modified;
    timespec changed;
};

// How long before a listing the folder's last change must lie for the listing to be kept. File
// systems store times in ticks of up to two seconds (FAT): a change in the tick of the listing
// could leave the stamp as it was, so a folder changed so recently is listed afresh each time.
constexpr time_t Listing_Trust_Seconds = 3;

// 1 when a listing that was read at `taken` of a folder then stamped `listed` still holds for
// the folder now stamped `now`: the stamps are equal, and the folder's last change lies more
// than Listing_Trust_Seconds before `taken`. Else 0.
int Listing_Holds(const Folder_Stamp& listed, const timespec& taken, const Folder_Stamp& now);

// Sets entry to the entry of folder ("" for the working folder, else ending in "/") whose name
// equals name without regard to ASCII case, the smallest in byte order when several do, and
// returns 1; 0 when none does or the folder cannot be read.
int Find_Entry_Without_Case(const std::string& folder, const std::string& name, std::string& entry);

// How many folder listings this process has read.
long Folder_Listings_Read();
