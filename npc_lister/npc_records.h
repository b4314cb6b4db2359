// The record scan of the NPC lister: every "NPC_" record of the loaded data file becomes
// one line of its NPC list. Works on the file buffer, Search_Pos and the scratch slots.
#pragma once

#include "toolkit/toolkit.h"

// Scans the file buffer from Search_Pos for "NPC_" records, writes one line per record to
// list and prints "Adding NPC: " with its name. Returns the number of lines written.
int Write_NPC_Records(Text_Out& list);
