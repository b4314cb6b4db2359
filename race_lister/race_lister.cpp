// The race lister's worker: reads the data-file list, fills a race table per sex from the
// data files, puts in the regular groin meshes, writes the lists and reports. The tables
// live here; they are emptied at the start of each run.
#include "race_lister/race_lister.h"

#include "race_lister/race_tables.h"

namespace {

// Too large for a stack: two tables of 300 rows of twelve slots.
Race_Table Male_Races;
Race_Table Female_Races;

int Print_Summary(int found)
{
    if (Data_Files_Listed() == 0) {
        Report_Run_First(Data_File_List, Data_File_Lister);
        Print_Line();
    }
    Print_Line("Done!");
    Print_Line("See the Vorel Race List text files for results");
    if (found == Race_Parts_All_Found) return 0;
    Print_Line("Meshes for some race body parts could not be found!");
    // A log that could not take its entries has been said to be so: nothing points to it.
    if (found == Race_Parts_Missing) Print_Log_Pointer(Race_Errors_Log);
    return 0;
}

}  // namespace

int Build_Race_Lists()
{
    if (Begin_Run_In_Game_Folder() == -1) return 0;
    Read_Data_File_List();
    Clear_Race_Table(Male_Races, 0);
    Clear_Race_Table(Female_Races, 1);
    Scan_Data_Files(Male_Races, Female_Races);
    Apply_Regular_Groin_Meshes(Male_Races);
    Print_Summary(Write_Race_Lists(Male_Races, Female_Races));
    Free_File_Buffer();
    return 0;
}
