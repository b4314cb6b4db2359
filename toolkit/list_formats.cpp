// The formats of the lists that pass between the programs: the census line, the NPC line and
// the race row, each written and read here and nowhere else, the count that heads the data-file
// list, and the names of the per-data-file lists. Touches no process-wide state.
#include "toolkit/toolkit.h"

#include <climits>
#include <cstdio>
#include <cstring>

namespace {

constexpr int Count_Text_Size = 16;  // an int in decimal, its sign and a NUL
constexpr const char* NPC_List_Suffix = " NPC List.txt";
constexpr const char* Mesh_List_Suffix = " Mesh List.txt";

// The decimal digits of count, as the lists carry it.
void Count_Text(char (&text)[Count_Text_Size], int count) { std::snprintf(text, sizeof text, "%d", count); }

// folder joined with name, the last four characters of the joined text dropped, then suffix:
// for a name that ends in a dot and a three-letter extension, the name without it.
int Build_List_Path(Path_Slot& out, const char* folder, const char* name, const char* suffix)
{
    Join_Text(out, Path_Slot_Size, folder, name);
    size_t length = std::strlen(out);
    length = length >= 4 ? length - 4 : 0;
    Join_Text(out + length, Path_Slot_Size - static_cast<int>(length), suffix);
    return 0;
}

// Names and paths compared as the file systems of the game compare them: 'a' to 'z' and
// 'A' to 'Z' alike.
bool Same_Without_Case(const char* first, const char* second)
{
    for (;; ++first, ++second) {
        const unsigned char a = Fold_Letter(static_cast<unsigned char>(*first));
        if (a != Fold_Letter(static_cast<unsigned char>(*second))) return false;
        if (a == '\0') return true;
    }
}

// True when the NPC list path of name would be that of another data file named earlier.
bool Taken_By_Another(const Named_Lists& named, const char* name, const Path_Slot& npc_list)
{
    for (int i = 0; i < named.count; ++i)
        if (!Same_Without_Case(named.names[i], name) && Same_Without_Case(named.npc_lists[i], npc_list)) return true;
    return false;
}

}  // namespace

int Parse_Int(const char* text)
{
    while (*text == ' ' || (*text >= '\t' && *text <= '\r')) ++text;
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+') ++text;
    long long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + (*text - '0');
        if (value > INT_MAX) return negative ? INT_MIN : INT_MAX;
    }
    return static_cast<int>(negative ? -value : value);
}

int Write_List_Line(Text_Out& list, const char* text)
{
    Write_Text(list, text);
    Write_Text(list, "\n");
    return 0;
}

int Write_Count_Line(Text_Out& list, int count)
{
    char text[Count_Text_Size];
    Count_Text(text, count);
    return Write_List_Line(list, text);
}

int Read_List_Line(Text_In& list, Text_Slot& line) { return Read_Field(list, List_Line_End, line); }

int Write_Census_Line(Text_Out& census, const char* name, int npc_count)
{
    char count[Count_Text_Size];
    Count_Text(count, npc_count);
    const char name_end[] = {Census_Name_End, '\0'};
    return Write_Line(census, name, name_end, count);
}

int Read_Census_Name(Text_In& census, Text_Slot& name) { return Read_Field(census, Census_Name_End, name); }

int Read_Census_Count(Text_In& census)
{
    Text_Slot count;
    Read_Field(census, List_Line_End, count);
    return Parse_Int(count);
}

int Write_NPC_Line(Text_Out& list, const NPC_Line_Fields& line)
{
    const struct {
        const char* text;
        char end;
    } fields[] = {{line.id, NPC_ID_End},
                  {line.head, NPC_Head_End},
                  {line.hair, NPC_Hair_End},
                  {line.race, NPC_Race_End},
                  {line.sex, NPC_Sex_End}};
    for (const auto& field : fields) {
        const char end[] = {field.end, '\0'};
        Write_Text(list, field.text);
        Write_Text(list, end);
    }
    return Write_Line(list, line.name);
}

int Read_NPC_ID(Text_In& list, Text_Slot& id) { return Read_Field(list, NPC_ID_End, id); }

int Read_NPC_Fields(Text_In& list, Text_Slot& head, Text_Slot& hair, Text_Slot& race, Text_Slot& sex, Text_Slot& name)
{
    Read_Field(list, NPC_Head_End, head);
    Read_Field(list, NPC_Hair_End, hair);
    Read_Field(list, NPC_Race_End, race);
    Read_Field(list, NPC_Sex_End, sex);
    Read_Field(list, List_Line_End, name);
    return 0;
}

int Write_Race_Row(Text_Out& list, const char* const (&fields)[Race_Row_Slots])
{
    const char field_end[] = {Race_Field_End, '\0'};
    for (const char* field : fields) {
        Write_Text(list, field);
        Write_Text(list, field_end);
    }
    Write_Text(list, "\n");
    return 0;
}

int Read_Race_Field(Text_In& list, Text_Slot& field) { return Read_Field(list, Race_Field_End, field); }

int Name_Data_File_Lists(Named_Lists& named, const char* data_file_name, Path_Slot& npc_list, Path_Slot& mesh_list)
{
    Build_List_Path(npc_list, NPC_Lists_Folder, data_file_name, NPC_List_Suffix);
    if (Taken_By_Another(named, data_file_name, npc_list)) {
        // The whole name; and when even that is taken, by a data file whose name without its
        // extension is this one's ("Pair.esp.abc" before "Pair.esm" and "Pair.esp"), the whole
        // name and the first free number from 2 on. Each earlier data file holds one name, so a
        // free number comes within the table's count, and the name always fits its slot.
        char stem[Text_Slot_Size + Count_Text_Size + 3];
        std::snprintf(stem, sizeof stem, "%s", data_file_name);
        Join_Text(npc_list, Path_Slot_Size, NPC_Lists_Folder, stem, NPC_List_Suffix);
        for (int number = 2; Taken_By_Another(named, data_file_name, npc_list); ++number) {
            std::snprintf(stem, sizeof stem, "%s (%d)", data_file_name, number);
            Join_Text(npc_list, Path_Slot_Size, NPC_Lists_Folder, stem, NPC_List_Suffix);
        }
        Join_Text(mesh_list, Path_Slot_Size, Mesh_Lists_Folder, stem, Mesh_List_Suffix);
    } else {
        Build_List_Path(mesh_list, Mesh_Lists_Folder, data_file_name, Mesh_List_Suffix);
    }
    if (named.count < Max_Data_Files) {
        Copy_To_Slot(named.names[named.count], data_file_name);
        Join_Text(named.npc_lists[named.count], Path_Slot_Size, npc_list);
        ++named.count;
    }
    return 0;
}
