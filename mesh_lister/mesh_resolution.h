// Resolution in place: a head or hair slot of the NPC field tables is replaced by its mark
// and mesh path, and so is every other slot of the data file that holds the same ID.
#pragma once

#include "toolkit/toolkit.h"

// A body-part column of the NPC field tables and what its resolved values look like.
// A resolved slot is the mark followed by "Data Files\Meshes\" and the "MODL" value, or by
// the error-marker mesh when no data file holds the ID.
struct Body_Part_Column {
    Text_Slot* table;
    char mark;             // the first character of every resolved slot
    const char* log_line;  // the first line of its error-log entry, before the ID
};

extern const Body_Part_Column Head_Column;
extern const Body_Part_Column Hair_Column;

// The mesh path of a resolved slot: what follows its mark.
inline const char* Mesh_Path_Of(const Text_Slot& resolved) { return resolved + 1; }

// The state of one mesh-lister run that the resolution step reads and sets.
struct Mesh_Run {
    Text_Out errors_log;
    Text_Out merged_list;
    Text_Slot census_name;
    int census_count;    // the number after the census line's "*"
    int rows;            // the rows of the data file resolved and written
    int slots_resolved;  // head and hair slots of the data file replaced so far
    int files_done;      // census lines finished
    int miss_flag;       // 1 once any body part was not found
};

// Resolves the column's slot of row, unless it already carries the mark: prints the search
// and the progress lines, looks the ID up in the data files, logs a miss, and replaces
// every slot of rows 0 to run.rows - 1 that equals the ID. Returns 0.
int Resolve_Slot(Mesh_Run& run, const Body_Part_Column& column, int row);
