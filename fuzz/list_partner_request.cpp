// Fuzz target: the merged NPC list, the male race list, the female race list and the sought
// ID, cut at the piece separator, for one partner request as the monitor makes it. The
// search must end however the lists are broken, and a request may change only the mesh set
// of one sex.
#include "fuzz/fuzz_fixtures.h"
#include "fuzz/fuzz_game.h"
#include "partner_monitor/partner_monitor.h"
#include "partner_monitor/partner_request.h"
#include "platform/platform.h"
#include "toolkit/toolkit.h"

#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    if (!Stays_In_Game_Folder(Input_Bytes(data, size))) return -1;
    const std::vector<std::string> pieces = Split_Input(data, size, 4);
    Reset_Fuzz_Game();
    Write_Fixture_Game();
    Write_Game_File("Vorel_NPC_List.txt", pieces[0]);
    Write_Game_File("Vorel_MRace_List.txt", pieces[1]);
    Write_Game_File("Vorel_FRace_List.txt", pieces[2]);
    Text_Slot id = {};
    std::snprintf(id, sizeof id, "%s", pieces[3].c_str());

    Text_Out errors;
    Text_In male_races;
    Text_In female_races;
    Open_Text_Out(errors, OXT_Errors_Log, 0);
    Open_Text_In(male_races, Male_Race_List);
    Open_Text_In(female_races, Female_Race_List);
    Text_Slot full_name = {};
    const int found = Handle_Partner_Request(id, errors, male_races, female_races, full_name);
    Close_Text_In(female_races);
    Close_Text_In(male_races);
    Close_Text_Out(errors);

    Fuzz_Check(found == 0 || found == -1, "a request is found or not found");
    Fuzz_Check(std::memchr(full_name, 0, sizeof full_name) != nullptr, "the full name fits its slot");
    const int male = Os_File_Exists("Data Files\\Meshes\\Vorel\\Vorel_Male1_Head0.NIF");
    const int female = Os_File_Exists("Data Files\\Meshes\\Vorel\\Vorel_Fem1_Head0.NIF");
    Fuzz_Check(!(male && female), "a request changes the mesh set of one sex only");
    Fuzz_Check(found == 0 || !(male || female), "a request whose NPC is missing copies nothing");
    return 0;
}
