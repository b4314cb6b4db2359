// The bound user of the tests: root's effective user set aside for "nobody", whom file
// permissions bind, and the scratch game folder handed to that user.
#include "tests/support/bound_user.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

namespace fs = std::filesystem;

void Hand_Over_Game_Folder(const std::string& game_root)
{
    if (geteuid() != 0) return;
    std::error_code ignored;
    // The folder above the game root (the system's temporary folder) lets anyone pass.
    if (chown(game_root.c_str(), Bound_User_Id, Bound_Group_Id) != 0) return;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(game_root, ignored))
        if (lchown(entry.path().c_str(), Bound_User_Id, Bound_Group_Id) != 0) return;
}

As_Bound_User::As_Bound_User(const std::string& game_root)
{
    if (geteuid() != 0) return;
    Hand_Over_Game_Folder(game_root);
    switched = setegid(Bound_Group_Id) == 0 && seteuid(Bound_User_Id) == 0;
}

As_Bound_User::~As_Bound_User()
{
    if (!switched) return;
    if (seteuid(0) == 0) static_cast<void>(setegid(0));
}

void Make_Read_Only(const std::string& path)
{
    struct stat info;
    if (stat(path.c_str(), &info) != 0) return;
    const mode_t writable = S_IWUSR | S_IWGRP | S_IWOTH;
    chmod(path.c_str(), info.st_mode & ~writable & 07777);
}
