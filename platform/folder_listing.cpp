// The cache of folder listings: a few recent listings, each with the folder's stamp and the
// time it was read, and its entries by their ASCII-folded names. Every use compares the
// folder's stamp afresh, so that an entry created, renamed or removed since is seen.
#include "platform/folder_listing.h"

#include "platform/letter_case.h"

#include <dirent.h>
#include <sys/stat.h>

#include <unordered_map>

namespace {

constexpr int Cache_Size = 8;

struct Listing {
    std::string folder;
    Folder_Stamp stamp;
    timespec taken;
    std::unordered_map<std::string, std::string> by_folded_name;  // the smallest entry of each
    unsigned long last_use;
};

struct Listing_Cache {
    Listing listings[Cache_Size];
    unsigned long uses;
    long reads;
};

// Made at its first use, not at start-up.
Listing_Cache& Cache()
{
    static Listing_Cache cache{};
    return cache;
}

std::string Folded(const std::string& name)
{
    std::string folded = name;
    for (char& c : folded) c = static_cast<char>(Fold_Letter(static_cast<unsigned char>(c)));
    return folded;
}

bool Same_Time(const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }

bool Earlier(const timespec& a, const timespec& b)
{
    return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

const char* Folder_Path(const std::string& folder) { return folder.empty() ? "." : folder.c_str(); }

bool Read_Stamp(const std::string& folder, Folder_Stamp& stamp)
{
    struct stat info;
    if (stat(Folder_Path(folder), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
    stamp = Folder_Stamp{info.st_dev, info.st_ino, info.st_mtim, info.st_ctim};
    return true;
}

// The listing of folder kept in the cache, or the slot that a new one of it is to take: the
// least recently used.
Listing& Slot_For(const std::string& folder)
{
    Listing_Cache& cache = Cache();
    Listing* oldest = &cache.listings[0];
    for (Listing& listing : cache.listings) {
        if (listing.last_use != 0 && listing.folder == folder) return listing;
        if (listing.last_use < oldest->last_use) oldest = &listing;
    }
    return *oldest;
}

// Reads the folder's entries into listing; false when the folder cannot be read. The clock is
// read first: whatever changes the folder from then on changes its stamp.
bool Read_Listing(const std::string& folder, Listing& listing)
{
    listing.last_use = 0;
    listing.by_folded_name.clear();
    clock_gettime(CLOCK_REALTIME, &listing.taken);
    if (!Read_Stamp(folder, listing.stamp)) return false;
    DIR* dir = opendir(Folder_Path(folder));
    if (dir == nullptr) return false;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        std::string& kept = listing.by_folded_name[Folded(name)];
        if (kept.empty() || kept.compare(name) > 0) kept = name;
    }
    closedir(dir);
    listing.folder = folder;
    ++Cache().reads;
    return true;
}

}  // namespace

int Listing_Holds(const Folder_Stamp& listed, const timespec& taken, const Folder_Stamp& now)
{
    if (listed.device != now.device || listed.inode != now.inode) return 0;
    if (!Same_Time(listed.modified, now.modified) || !Same_Time(listed.changed, now.changed)) return 0;
    timespec trusted_before = taken;
    trusted_before.tv_sec -= Listing_Trust_Seconds;
    return Earlier(listed.modified, trusted_before) && Earlier(listed.changed, trusted_before) ? 1 : 0;
}

int Find_Entry_Without_Case(const std::string& folder, const std::string& name, std::string& entry)
{
    Folder_Stamp now;
    if (!Read_Stamp(folder, now)) return 0;
    Listing& listing = Slot_For(folder);
    const bool kept = listing.last_use != 0 && listing.folder == folder;
    if (!(kept && Listing_Holds(listing.stamp, listing.taken, now)) && !Read_Listing(folder, listing)) return 0;
    listing.last_use = ++Cache().uses;
    const auto found = listing.by_folded_name.find(Folded(name));
    if (found == listing.by_folded_name.end()) return 0;
    entry = found->second;
    return 1;
}

long Folder_Listings_Read() { return Cache().reads; }
