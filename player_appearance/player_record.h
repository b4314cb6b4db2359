// The player's record in the save: the four values player appearance takes from it before
// the first body-part lookup replaces the save in the file buffer.
#pragma once

#include "toolkit/toolkit.h"

struct Player_Record {
    Text_Slot race;     // "RNAM", the race as the race lists key it; empty when missing
    Text_Slot head_id;  // "BNAM"; empty when missing
    Text_Slot hair_id;  // "KNAM"; empty when missing
    int female;         // bit 0 of the first "FLAG" data byte; 0 when there is none
};

// Scans the save in the file buffer from Search_Pos for the "NPC_" record named exactly
// "player" and takes its values into player. Returns the position just after that record's
// "NAME" tag, or -1 when the save holds no such record (player is then left as it was).
// Uses the first of the Scratch_Slots for the NAME value; moves Search_Pos.
int Read_Player_Record(Player_Record& player);
