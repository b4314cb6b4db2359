// Fuzz target: the given bytes are the partner file as the game side left it, and the monitor
// makes three passes over it in the fixed game (merged NPC list and race lists): "^" is
// answered with ">", which the next pass serves as a request, and so on. Every pass must end,
// and a served request must leave a whole answer in the partner name file and "<" in byte 0.
#include "fuzz/fuzz_fixtures.h"
#include "fuzz/fuzz_game.h"
#include "partner_monitor/partner_monitor.h"
#include "toolkit/toolkit.h"

#include <string>

namespace {

constexpr int Passes = 3;

bool Is_Whole_Answer(const std::string& name_file)
{
    const size_t nul = name_file.find('\0');
    if (nul == std::string::npos) return false;
    const std::string answer = name_file.substr(0, nul);
    return answer.rfind("Your current lover is ", 0) == 0 ||
           answer == "AN ERROR OCCURRED CHANGING YOUR LOVER - CHOOSE A DIFFERENT NPC";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    const std::string partner(reinterpret_cast<const char*>(data), size);
    Reset_Fuzz_Game();
    Write_Fixture_Game();
    Write_Game_File("Vorel_NPC_List.txt", Fixture_Merged_NPC_List());
    Write_Game_File("Data Files/MWSE/Vorel_Partner.bin", partner);
    Monitor_Streams streams;
    Start_Partner_Monitor(streams);
    for (int pass = 0; pass < Passes; ++pass) Run_Monitor_Pass(streams);
    Stop_Partner_Monitor(streams);

    const std::string after = Read_Game_File("Data Files/MWSE/Vorel_Partner.bin");
    Fuzz_Check(after.size() == partner.size(), "the monitor never changes the partner file's length");
    Fuzz_Check(after.empty() || after.substr(1) == partner.substr(1), "the monitor writes byte 0 only");
    const bool served = !partner.empty() && (partner[0] == '>' || partner[0] == '^');
    const std::string answer = Read_Game_File("Data Files/MWSE/Vorel_Partner_Name.bin");
    if (served) {
        Fuzz_Check(after[0] == '<', "a served request is marked answered");
        Fuzz_Check(Is_Whole_Answer(answer), "a served request leaves a whole answer");
    } else {
        Fuzz_Check(after == partner && answer.empty(), "any other marker is left alone");
    }
    return 0;
}
