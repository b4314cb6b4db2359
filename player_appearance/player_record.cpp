// The record scan of player appearance: every "NPC_" that passes the record test is judged by
// its NAME value, and the first one named exactly "player" gives the race, head, hair and sex.
// Reads the save in the file buffer; moves Search_Pos, Field_Start and Field_End.
#include "player_appearance/player_record.h"

#include <cstring>

namespace {

constexpr const char* Player_ID = "player";
constexpr int Name_Scratch = 0;  // the NAME value just read

// The position just after the "NAME" tag of the next "NPC_" after Search_Pos that passes the
// record test, or -1 at the end of the save. Search_Pos is left just after that "NPC_".
std::int32_t Next_Npc_Record()
{
    while ((Search_Pos = Find_Text("NPC_", Search_Pos)) != -1) {
        const std::int32_t name = Record_Name_End(Search_Pos, NPC_Record_Size_Byte);
        if (name != -1) return name;
    }
    return -1;
}

// The female bit of the next "FLAG" after the cursor, however far; no "FLAG" further on gives 0
// (male).
int Next_Female_Flag()
{
    const std::int32_t found = Find_Text("FLAG", Search_Pos);
    return found == -1 ? 0 : Take_Female_Flag(found);
}

}  // namespace

int Read_Player_Record(Player_Record& player)
{
    std::int32_t name = -1;
    while ((name = Next_Npc_Record()) != -1) {
        Search_Pos = name;
        Extract_Subrecord_Value(Search_Pos, Scratch_Slots[Name_Scratch]);
        // Letter case counts: "Player" is some other NPC, and so is "player2".
        if (std::strcmp(Scratch_Slots[Name_Scratch], Player_ID) != 0) continue;
        // A tag that occurs nowhere further on leaves its value as it was and the cursor where
        // it stood, so that the next tag is still sought from the last value taken rather than
        // from the start of the save.
        Extract_Next_Value("RNAM", player.race);
        Extract_Next_Value("BNAM", player.head_id);
        Extract_Next_Value("KNAM", player.hair_id);
        player.female = Next_Female_Flag();
        return name;
    }
    return -1;
}
