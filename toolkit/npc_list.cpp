// Reads one NPC list into the six NPC field tables, one row per NPC line. The row in which the
// reading meets the end of the list gets an empty field for each field the list had no more
// bytes for; every row after that one keeps what it held.
#include "toolkit/toolkit.h"

int Read_NPC_List(const char* path, int count)
{
    (void)count;  // the caller's census count; the list itself decides how many rows it holds
    Text_In list;
    Open_Text_In(list, path);
    int lines = 0;
    for (int row = 0; row < Max_NPC_Rows && !list.at_end; ++row) {
        const int stored = Read_NPC_ID(list, NPC_ID_Table[row]);
        const bool line_read = stored > 0 || !list.at_end;
        Read_NPC_Fields(list, NPC_Head_Table[row], NPC_Hair_Table[row], NPC_Race_Table[row], NPC_Sex_Table[row],
                        NPC_Name_Table[row]);
        if (line_read) lines = row + 1;
    }
    Close_Text_In(list);
    return lines;
}
