// The "NPC_" record as the NPC lister reads it: the record test, the ID, four string
// fields each within a window of the cursor, and the female bit of "FLAG". The values
// live in the scratch slots: ID, full name, race, head, hair.
#include "npc_lister/npc_records.h"

namespace {

// A tag counts only when the position just after it lies less than this far past the cursor.
constexpr std::int32_t Field_Window = 100;

constexpr const char* Default_Race = "Dark Elf";
constexpr const char* Default_Head = "b_n_dark elf_m_head_01";
constexpr const char* Default_Hair = "b_n_dark elf_m_hair_01";

Text_Slot& Id_Slot = Scratch_Slots[0];
Text_Slot& Name_Slot = Scratch_Slots[1];
Text_Slot& Race_Slot = Scratch_Slots[2];
Text_Slot& Head_Slot = Scratch_Slots[3];
Text_Slot& Hair_Slot = Scratch_Slots[4];

// Takes the string of the subrecord whose tag ends at t into slot; false, with slot
// untouched, when the value is empty (a value with no character left in the buffer, a tag at
// the very end of a cut-off file, counts as empty too). The cursor moves to the tag even then:
// the next field is sought from there.
bool Take_Value(std::int32_t t, Text_Slot& slot)
{
    Search_Pos = t;
    return Extract_Value_Unless_Empty(t, slot) == 1;
}

// The field step: the value of tag into slot when the tag lies within the window of the
// cursor and its value is not empty, otherwise the default.
void Take_Field(const char* tag, Text_Slot& slot, const char* fallback)
{
    const std::int32_t t = Find_Text_Within(tag, Search_Pos, Field_Window);
    if (t == -1 || !Take_Value(t, slot)) Copy_To_Slot(slot, fallback);
}

// The female bit of a "FLAG" within the window of the cursor; 0 when there is none.
int Female_Flag_In_Window()
{
    const std::int32_t t = Find_Text_Within("FLAG", Search_Pos, Field_Window);
    return t == -1 ? 0 : Take_Female_Flag(t);
}

// Reads the record whose "NAME" tag ends at name_end and lists it. An empty ID is kept
// empty, and the fields are searched from just after its tag.
void List_Record(Text_Out& list, std::int32_t name_end)
{
    if (!Take_Value(name_end, Id_Slot)) Copy_To_Slot(Id_Slot, "");
    Take_Field("FNAM", Name_Slot, Id_Slot);
    Take_Field("RNAM", Race_Slot, Default_Race);
    Take_Field("BNAM", Head_Slot, Default_Head);
    Take_Field("KNAM", Hair_Slot, Default_Hair);
    const int female = Female_Flag_In_Window();
    Write_NPC_Line(list,
                   {Id_Slot, Head_Slot, Hair_Slot, Race_Slot, female ? Female_Sex_Field : Male_Sex_Field, Name_Slot});
    Print_Line("Adding NPC: ", Name_Slot);
}

}  // namespace

int Write_NPC_Records(Text_Out& list)
{
    int listed = 0;
    while ((Search_Pos = Find_Text("NPC_", Search_Pos)) != -1) {
        const std::int32_t name_end = Record_Name_End(Search_Pos, NPC_Record_Size_Byte);
        if (name_end == -1) continue;
        List_Record(list, name_end);
        ++listed;
    }
    return listed;
}
