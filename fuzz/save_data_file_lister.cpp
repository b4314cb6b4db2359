// Fuzz target: the given bytes are the save "Saves\Vorel.ess", and the data-file lister runs
// on it whole. Whatever the save holds, the list it writes must read back as the count and
// exactly that many names, and the buffer must be released.
#include "data_file_lister/data_file_lister.h"
#include "fuzz/fuzz_game.h"
#include "toolkit/toolkit.h"

#include <string>

namespace {

// True when list is a count line of N (0 to 275) followed by exactly N lines, every line
// ended by CR LF and nothing after the last.
bool Is_Whole_List(const std::string& list)
{
    size_t digits = 0;
    while (digits < list.size() && list[digits] >= '0' && list[digits] <= '9') ++digits;
    if (digits == 0 || digits > 3 || list.compare(digits, 2, "\r\n") != 0) return false;
    const int count = std::stoi(list.substr(0, digits));
    if (count > Max_Data_Files) return false;
    size_t lines = 0;
    for (char c : list) lines += c == '\n';
    return lines == static_cast<size_t>(count) + 1 && list.size() >= 2 && list.compare(list.size() - 2, 2, "\r\n") == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    Reset_Fuzz_Game();
    Write_Game_File("Saves/Vorel.ess", Input_Bytes(data, size));
    Build_Data_File_List();
    Fuzz_Check(Is_File_Buffer_Free() == 1 && Search_Pos == 0, "the lister releases the buffer and resets the cursor");
    Fuzz_Check(Is_Whole_List(Read_Game_File("Vorel OXT Files/Vorel_Data_File_List.txt")),
               "the data-file list is its count and exactly that many lines");
    return 0;
}
