// The mesh lister: the head and hair body parts of every NPC list resolved to mesh paths,
// in one mesh list per data file with NPCs and in the merged NPC list.
#pragma once

// Reads the census list, the data-file list and the NPC lists; writes the mesh lists in
// "Vorel OXT Files\Mesh Lists", "Vorel_NPC_List.txt" and "Vorel OXT Files\NPC Errors.txt".
// Always returns 0.
int Build_Mesh_Lists();
