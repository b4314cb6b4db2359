// The data-file lister: turns the save's "MAST" names into the data-file list.
#pragma once

// Reads "Saves\Vorel.ess" and writes "Vorel OXT Files\Vorel_Data_File_List.txt": the count,
// then the names latest-loaded first. Always returns 0.
int Build_Data_File_List();
