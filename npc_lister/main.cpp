// Entry point of npc-lister: builds the NPC lists and the census list once, then idles.
#include "npc_lister/npc_lister.h"
#include "toolkit/toolkit.h"

int main(int, char**)
{
    Build_NPC_Lists();
    Idle_For_Ever();
}
