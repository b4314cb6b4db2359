// Reads the data-file list back into the data-file name table: its count line, then one
// name a line, latest-loaded data file first. Sets Data_File_Count and Data_File_Names.
#include "toolkit/toolkit.h"

#include <cstring>

int Read_Names_Into_Table(Text_In& list)
{
    // A name counts only when the read after it did not meet the end: every line of the
    // list has its line end, so a last line without one was cut off.
    Text_Slot line;
    Read_Field(list, '\n', line);
    for (int i = 0; i < Max_Data_Files; ++i) {
        std::memcpy(Data_File_Names[i], line, sizeof line);
        Read_Field(list, '\n', line);
        if (list.at_end) break;
    }
    return 0;
}

int Read_Data_File_List()
{
    Text_In list;
    Open_Text_In(list, Data_File_List);
    Text_Slot line;
    Read_Field(list, '\n', line);
    Data_File_Count = Parse_Int(line);
    Read_Names_Into_Table(list);
    Close_Text_In(list);
    return 0;
}
