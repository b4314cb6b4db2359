// The race tables of the race lister, one per sex: a row per race holding its name and the
// mesh paths of the eleven body parts, in the order in which the races are first met.
// Shared by the scan that fills them and the writer that turns them into the race lists.
#pragma once

#include "toolkit/toolkit.h"

struct Race_Table {
    Race_Row rows[Max_Races];
    int count;
    int female;  // 1 for the table of female body parts: it chooses the wording of its lines
};

// Empties every slot of table and sets its row count to 0.
int Clear_Race_Table(Race_Table& table, int female);

// The row of table whose race name equals race exactly (letter case counting), or -1.
int Find_Race_Row(const Race_Table& table, const char* race);

// Gives race's slot (1 to 11) the mesh unless the slot already holds one; an empty mesh leaves
// the slot as it is. A race without a row gets one at the end, announced on the console. Returns the row, or -1 when the table
// is full and the race has no row.
int Add_Race_Mesh(Race_Table& table, const char* race, int slot, const char* mesh);

// Puts the regular groin mesh of the eight races that have one into the Groin slot of
// their male rows, over whatever the slot held.
int Apply_Regular_Groin_Meshes(Race_Table& male);

// The word the race error log uses for the body part in slot (1 to 11).
const char* Body_Part_Word(int slot);

// Scans every data file of the data-file list, in list order, and fills both tables from
// the "BODY" records that are taken. Leaves the last data file in the file buffer.
int Scan_Data_Files(Race_Table& male, Race_Table& female);

// What writing the race lists found: every body-part slot held a mesh; some were empty and
// written as the error-marker mesh, each with its race error log entry; or some were empty
// and the log could not take their entries.
constexpr int Race_Parts_All_Found = 0;
constexpr int Race_Parts_Missing = 1;
constexpr int Race_Parts_Missing_Unlogged = 2;

// Writes both race lists and the race error log. Returns one of the three above.
int Write_Race_Lists(const Race_Table& male, const Race_Table& female);
