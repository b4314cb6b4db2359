// The race lister: turns the "BODY" records of the data files into the male and female
// race lists, a line per race with the mesh of each of its eleven body parts.
#pragma once

// Reads the data-file list, scans every data file named there for body parts, and writes
// "Vorel_MRace_List.txt", "Vorel_FRace_List.txt" and the race error log, with the console
// lines of the run. Releases the file buffer at the end. Always returns 0.
int Build_Race_Lists();
