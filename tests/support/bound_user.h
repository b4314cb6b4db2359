// Read-only files bind every user but root, and the tests may run as root: while an
// As_Bound_User lives, the test process works as the user "nobody" (when it runs as root),
// and the scratch game folder belongs to that user. Programs started by the harness with
// Start_Program's bound_user flag run as that user too.
#pragma once

#include <string>

class As_Bound_User {
public:
    explicit As_Bound_User(const std::string& game_root);
    ~As_Bound_User();
    As_Bound_User(const As_Bound_User&) = delete;
    As_Bound_User& operator=(const As_Bound_User&) = delete;

private:
    bool switched = false;
};

// Makes the file or folder below the game root read-only for everyone whom permissions bind.
void Make_Read_Only(const std::string& path);

// The user and group that bound programs run as, when the tests run as root.
constexpr unsigned Bound_User_Id = 65534;   // "nobody"
constexpr unsigned Bound_Group_Id = 65534;  // "nogroup"

// Gives the game folder to the bound user (when the tests run as root), so that programs
// started as that user can work in it.
void Hand_Over_Game_Folder(const std::string& game_root);
