// The resolution step of the mesh lister with its progress lines and its error-log entry.
// Sets the first two scratch slots (the resolved value and the key), the file buffer and
// Search_Pos.
#include "mesh_lister/mesh_resolution.h"

#include <cstdio>
#include <cstring>

// A column's mark is the delimiter that stands before the column's field in an NPC line.
const Body_Part_Column Head_Column = {NPC_Head_Table, NPC_ID_End, "Could not find mesh for head body part : "};
const Body_Part_Column Hair_Column = {NPC_Hair_Table, NPC_Head_End, "Could not find mesh for hair body part : "};

namespace {

constexpr const char* Percent_Complete = "% complete";

Text_Slot& Resolved_Value = Scratch_Slots[0];
Text_Slot& Key = Scratch_Slots[1];

// The share of the data file's slots resolved so far, and the run's share of all data
// files. With no data file listed, the run counts as one data file, so the line stays a number.
void Print_Progress(const Mesh_Run& run)
{
    const double file_share = run.slots_resolved / (2.0 * run.census_count) * 100;
    const double files = Data_File_Count < 1 ? 1.0 : Data_File_Count;
    const double overall = (run.files_done + file_share / 100) / files * 100;
    char line[80];
    std::snprintf(line, sizeof line, "Processing of Data File is %.4g%s", file_share, Percent_Complete);
    Print_Line(line);
    std::snprintf(line, sizeof line, "Overall progress: %.5g%s", overall, Percent_Complete);
    Print_Line(line);
    Print_Line();
}

void Log_Miss(Mesh_Run& run, const Body_Part_Column& column, int row)
{
    Write_Line(run.errors_log, column.log_line, column.table[row]);
    Write_Line(run.errors_log, "Used by NPC: ", NPC_Name_Table[row]);
    Write_Line(run.errors_log, "NPC's ID: ", NPC_ID_Table[row]);
    Write_Line(run.errors_log, "NPC's data file: ", run.census_name);
    Write_Line(run.errors_log, "");
}

// The resolved value of the row's slot: the mark and the mesh named by the "MODL" that
// follows the ID in the first data file holding it, or the mark and the error-marker mesh
// after logging the miss. A mesh path too long for the slot with its mark counts as a miss.
void Find_Resolved_Value(Mesh_Run& run, const Body_Part_Column& column, int row)
{
    const char mark[] = {column.mark, '\0'};
    if (Find_Mesh_Path(column.table[row], Resolved_Value, mark) != -1) return;
    Log_Miss(run, column, row);
    Join_Text(Resolved_Value, Text_Slot_Size, mark, Error_Marker_Mesh);
    run.miss_flag = 1;
}

}  // namespace

int Resolve_Slot(Mesh_Run& run, const Body_Part_Column& column, int row)
{
    if (column.table[row][0] == column.mark) return 0;
    Print_Line("Finding mesh for: ", column.table[row]);
    Print_Progress(run);
    Find_Resolved_Value(run, column, row);
    std::memcpy(Key, column.table[row], sizeof Key);
    for (int j = 0; j < run.rows; ++j) {
        if (std::strcmp(column.table[j], Key) != 0) continue;
        std::memcpy(column.table[j], Resolved_Value, sizeof Resolved_Value);
        ++run.slots_resolved;
    }
    return 0;
}
