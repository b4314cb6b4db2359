// Entry point of race-lister: builds the race lists once, then idles.
#include "race_lister/race_lister.h"
#include "toolkit/toolkit.h"

int main(int, char**)
{
    Build_Race_Lists();
    Idle_For_Ever();
}
