// Entry point of player-appearance: sets the mesh set to the player's appearance once, then idles.
#include "player_appearance/player_appearance.h"
#include "toolkit/toolkit.h"

int main(int, char**)
{
    Change_Player_Meshes();
    Idle_For_Ever();
}
