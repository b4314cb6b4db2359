// The NPC lister: one NPC list per data file of the data-file list, and the census list
// that counts the NPCs of each.
#pragma once

// Writes "Vorel OXT Files\NPC Lists\<name less its extension> NPC List.txt" for every name
// of the data-file list and "Vorel OXT Files\Vorel_Data_File_Census_List.txt". Always 0.
int Build_NPC_Lists();
