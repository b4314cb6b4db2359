// One request of the game side: the NPC's line in the merged NPC list, its head, hair and
// race meshes copied over the mesh set of its sex, the outcome on the console and in the log.
#pragma once

#include "toolkit/toolkit.h"

// Looks id up in "Vorel_NPC_List.txt" (opened and closed here; the first line whose ID equals
// id exactly wins) and copies its head, hair and race meshes over the mesh set of its sex,
// the race taken from male_races or female_races, which are rewound and left open. Misses
// are printed and written to errors. Returns 0 with the NPC's full name in full_name, or -1
// when no line holds id (full_name is then left as it was). A missing race still returns 0.
int Handle_Partner_Request(const char* id, Text_Out& errors, Text_In& male_races, Text_In& female_races,
                           Text_Slot& full_name);
