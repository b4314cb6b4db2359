// The toolkit's process-wide state: the file buffer's length, its cursor and last value, the
// data-file name table, the NPC field tables and the workers' scratch slots. All of it
// is zero when the process starts.
#include "toolkit/toolkit.h"

std::int32_t File_Length = 0;
std::int32_t Search_Pos = 0;
std::int32_t Field_Start = 0;
std::int32_t Field_End = 0;

Text_Slot Data_File_Names[Max_Data_Files];
std::int32_t Data_File_Count = 0;
Path_Slot Data_File_Path;

Text_Slot NPC_ID_Table[Max_NPC_Rows];
Text_Slot NPC_Head_Table[Max_NPC_Rows];
Text_Slot NPC_Hair_Table[Max_NPC_Rows];
Text_Slot NPC_Race_Table[Max_NPC_Rows];
Text_Slot NPC_Sex_Table[Max_NPC_Rows];
Text_Slot NPC_Name_Table[Max_NPC_Rows];

Text_Slot Scratch_Slots[Scratch_Slot_Count];
