// Entry point of data-file-lister: builds the data-file list once, then idles.
#include "data_file_lister/data_file_lister.h"
#include "toolkit/toolkit.h"

int main(int, char**)
{
    Build_Data_File_List();
    Idle_For_Ever();
}
