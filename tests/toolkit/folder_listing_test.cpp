// The cache of folder listings behind the letter-case and code-page lookups: a listing is
// used again only while its folder's stamp is unchanged and the folder's last change lies
// safely before the listing; whatever is created, renamed or removed since is seen.
#include "platform/folder_listing.h"
#include "platform/platform.h"
#include "tests/support/scratch_game.h"

#include <chrono>
#include <filesystem>
#include <thread>

TEST(ListingHolds, OnlyForAnUnchangedFolderLastChangedWellBeforeTheListing)
{
    const Folder_Stamp listed = {1, 2, {1000, 500}, {1000, 500}};
    const timespec taken = {1010, 0};
    struct Case {
        const char* what;
        Folder_Stamp listed;
        Folder_Stamp now;
        int holds;
    };
    const Case cases[] = {
        {"unchanged", listed, listed, 1},
        {"modified a nanosecond later", listed, {1, 2, {1000, 501}, {1000, 500}}, 0},
        {"changed a nanosecond later", listed, {1, 2, {1000, 500}, {1000, 501}}, 0},
        {"another folder in its place", listed, {1, 3, {1000, 500}, {1000, 500}}, 0},
        {"another file system", listed, {9, 2, {1000, 500}, {1000, 500}}, 0},
        {"changed just over the trust time before",
         {1, 2, {1006, 999999999}, {1006, 999999999}},
         {1, 2, {1006, 999999999}, {1006, 999999999}},
         1},
        {"changed exactly the trust time before", {1, 2, {1007, 0}, {1007, 0}}, {1, 2, {1007, 0}, {1007, 0}}, 0},
        {"changed in the listing's second", {1, 2, {1010, 0}, {1010, 0}}, {1, 2, {1010, 0}, {1010, 0}}, 0},
        {"stamped in the future", {1, 2, {2000, 0}, {2000, 0}}, {1, 2, {2000, 0}, {2000, 0}}, 0},
        {"status changed recently", {1, 2, {1000, 500}, {1009, 0}}, {1, 2, {1000, 500}, {1009, 0}}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Listing_Holds(c.listed, taken, c.now), c.holds);
    }
}

class FolderListing : public Scratch_Game {
protected:
    void SetUp() override
    {
        Scratch_Game::SetUp();
        Enter();
    }
    // Makes the folders with one data file each and waits until the listings of them can be
    // kept: their last change then lies the trust time back.
    void Make_Old_Folders(std::initializer_list<const char*> folders) const
    {
        for (const char* folder : folders) {
            std::filesystem::create_directories(Path(folder));
            Write(std::string(folder) + "/Morrowind.esm", "");
        }
        std::this_thread::sleep_for(std::chrono::seconds(Listing_Trust_Seconds) + std::chrono::milliseconds(200));
    }
};

TEST_F(FolderListing, ChangesSinceAKeptListingAreSeen)
{
    Make_Old_Folders({"Created", "Renamed", "Removed", "Replaced"});
    const long before = Folder_Listings_Read();
    for (const char* path :
         {"Created\\MORROWIND.ESM", "Renamed\\morrowind.esm", "Removed\\morrowind.esm", "Replaced\\Morrowind.ESM"})
        EXPECT_EQ(Os_File_Exists(path), 1) << path;
    EXPECT_EQ(Folder_Listings_Read(), before + 4);
    EXPECT_EQ(Os_File_Exists("Created\\morrowind.ESM"), 1);
    EXPECT_EQ(Os_File_Exists("Created\\new.esp"), 0);
    EXPECT_EQ(Folder_Listings_Read(), before + 4) << "the listing of an unchanged old folder is used again";

    Write("Created/New.esp", "");
    std::filesystem::rename(Path("Renamed/Morrowind.esm"), Path("Renamed/Tribunal.esm"));
    Remove("Removed/Morrowind.esm");
    std::filesystem::rename(Path("Replaced"), Path("Replaced Before"));
    std::filesystem::create_directories(Path("Replaced"));
    Write("Replaced/Bloodmoon.esm", "");

    EXPECT_EQ(Os_File_Exists("Created\\NEW.ESP"), 1);
    EXPECT_EQ(Os_File_Exists("Renamed\\morrowind.esm"), 0);
    EXPECT_EQ(Os_File_Exists("Renamed\\tribunal.esm"), 1);
    EXPECT_EQ(Os_File_Exists("Removed\\morrowind.esm"), 0);
    EXPECT_EQ(Os_File_Exists("Replaced\\morrowind.esm"), 0);
    EXPECT_EQ(Os_File_Exists("Replaced\\BLOODMOON.ESM"), 1);
}

// A folder changed within the trust time of its listing may change again in the same tick of
// its file system's clock without a new stamp: it is listed afresh for every lookup.
TEST_F(FolderListing, RecentlyChangedFolderIsListedForEveryLookup)
{
    std::filesystem::create_directories(Path("Vorel OXT Files/NPC Lists"));
    const long before = Folder_Listings_Read();
    EXPECT_EQ(Os_File_Exists("Vorel OXT Files\\NPC Lists\\a npc list.txt"), 0);
    Write("Vorel OXT Files/NPC Lists/A NPC List.txt", "");
    EXPECT_EQ(Os_File_Exists("Vorel OXT Files\\NPC Lists\\a npc list.txt"), 1);
    Remove("Vorel OXT Files/NPC Lists/A NPC List.txt");
    EXPECT_EQ(Os_File_Exists("Vorel OXT Files\\NPC Lists\\a npc list.txt"), 0);
    EXPECT_EQ(Os_File_Exists("Vorel OXT Files\\NPC Lists\\a npc list.txt"), 0);
    EXPECT_EQ(Folder_Listings_Read(), before + 4);
}
