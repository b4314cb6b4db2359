// Reading an NPC list into the six NPC field tables: rows in line order, the empty row
// after an ended last line, rows left from an earlier list, shifted fields and the limits.
#include "tests/support/scratch_game.h"
#include "toolkit/toolkit.h"

#include <cstring>
#include <string>
#include <vector>

using namespace std::string_literals;

namespace {

std::vector<std::string> Row(int i)
{
    return {NPC_ID_Table[i],   NPC_Head_Table[i], NPC_Hair_Table[i],
            NPC_Race_Table[i], NPC_Sex_Table[i],  NPC_Name_Table[i]};
}

void Fill_Row(int i, const char* text)
{
    for (Text_Slot* table :
         {NPC_ID_Table, NPC_Head_Table, NPC_Hair_Table, NPC_Race_Table, NPC_Sex_Table, NPC_Name_Table})
        std::strcpy(table[i], text);
}

}  // namespace

class ReadNPCList : public Scratch_Game {
protected:
    void SetUp() override
    {
        Scratch_Game::SetUp();
        Enter();
        for (int i = 0; i < 5; ++i) Fill_Row(i, "old");
    }
    int Read_List(const std::string& bytes, int count = 2)
    {
        Write("Vorel OXT Files/NPC Lists/A NPC List.txt", bytes);
        return Read_NPC_List("Vorel OXT Files\\NPC Lists\\A NPC List.txt", count);
    }
    const std::vector<std::string> old = {"old", "old", "old", "old", "old", "old"};
    const std::vector<std::string> empty = {"", "", "", "", "", ""};
};

TEST_F(ReadNPCList, EndedLinesFillRowsAndEmptyTheNextOne)
{
    EXPECT_EQ(Read_List("fargoth<b_head>b_hair<Wood Elf>0<Fargoth\r\nilmeni<h2>k2<Dark Elf>1<Ilmeni Dren\r\n"), 2);
    EXPECT_EQ(Row(0), (std::vector<std::string>{"fargoth", "b_head", "b_hair", "Wood Elf", "0", "Fargoth"}));
    EXPECT_EQ(Row(1), (std::vector<std::string>{"ilmeni", "h2", "k2", "Dark Elf", "1", "Ilmeni Dren"}));
    EXPECT_EQ(Row(2), empty);
    EXPECT_EQ(Row(3), old);
}

TEST_F(ReadNPCList, LastLineWithoutLineEndIsStoredWithoutAnEmptyRow)
{
    EXPECT_EQ(Read_List("a<b>c<d>0<e\r\nf<g>h<i>1<j"), 2);
    EXPECT_EQ(Row(1), (std::vector<std::string>{"f", "g", "h", "i", "1", "j"}));
    EXPECT_EQ(Row(2), old);
}

TEST_F(ReadNPCList, EmptyOrMissingListEmptiesRowZeroOnly)
{
    EXPECT_EQ(Read_List(""), 0);
    EXPECT_EQ(Row(0), empty);
    EXPECT_EQ(Row(1), old);
    Fill_Row(0, "old");
    EXPECT_EQ(Read_NPC_List("Vorel OXT Files\\NPC Lists\\Missing NPC List.txt", 3), 0);
    EXPECT_EQ(Row(0), empty);
    EXPECT_EQ(Read("Vorel OXT Files/NPC Lists/Missing NPC List.txt"), ""s);
}

TEST_F(ReadNPCList, MissingFolderEnds)
{
    Remove("Vorel OXT Files/NPC Lists");
    EXPECT_EQ(Read_NPC_List("Vorel OXT Files\\NPC Lists\\A NPC List.txt", 2), 0);
    EXPECT_EQ(Row(0), empty);
    EXPECT_EQ(Row(1), old);
}

TEST_F(ReadNPCList, CountDoesNotChangeWhatIsRead)
{
    const std::string list = "a<b>c<d>0<e\r\nf<g>h<i>1<j\r\n";
    for (int count : {0, 1, 2, 7, -3}) {
        SCOPED_TRACE(count);
        EXPECT_EQ(Read_List(list, count), 2);
        EXPECT_EQ(Row(1), (std::vector<std::string>{"f", "g", "h", "i", "1", "j"}));
        EXPECT_EQ(Row(2), empty);
    }
}

TEST_F(ReadNPCList, EachFieldEndsAtItsOwnDelimiter)
{
    // A "<" in the ID ends it early; "<" and ">" belong to a full name.
    EXPECT_EQ(Read_List("id<x<h>k<r>0<A <quoted> name\r\n"), 1);
    EXPECT_EQ(Row(0), (std::vector<std::string>{"id", "x<h", "k", "r", "0", "A <quoted> name"}));
}

TEST_F(ReadNPCList, FieldsOf99CharactersPassTheirRestOn)
{
    const std::string id99(99, 'i');
    const std::string name120(120, 'n');
    EXPECT_EQ(Read_List(id99 + "<h>k<r>0<" + name120 + "\r\nnext<h2>k2<r2>1<N2\r\n"), 2);
    EXPECT_EQ(Row(0), (std::vector<std::string>{id99, "<h", "k", "r", "0", name120.substr(0, 99)}));
    // The rest of the long name and its line end begin the next row's ID.
    EXPECT_EQ(Row(1), (std::vector<std::string>{name120.substr(99) + "\nnext", "h2", "k2", "r2", "1", "N2"}));
    EXPECT_EQ(Row(2), empty);
}

TEST_F(ReadNPCList, ListLongerThanTheTablesFillsEveryRowAndNoMore)
{
    std::string list;
    for (int i = 0; i < Max_NPC_Rows + 10; ++i) list.append("n").append(std::to_string(i)).append("<h>k<r>0<N\r\n");
    EXPECT_EQ(Read_List(list, 1), Max_NPC_Rows);
    EXPECT_STREQ(NPC_ID_Table[Max_NPC_Rows - 1], "n3999");
    EXPECT_STREQ(NPC_Name_Table[Max_NPC_Rows - 1], "N");
    // 3999 ended lines still fit with their empty row.
    list.clear();
    for (int i = 0; i < Max_NPC_Rows - 1; ++i) list += "m<h>k<r>1<M\r\n";
    EXPECT_EQ(Read_List(list, 1), Max_NPC_Rows - 1);
    EXPECT_STREQ(NPC_ID_Table[Max_NPC_Rows - 2], "m");
    EXPECT_STREQ(NPC_ID_Table[Max_NPC_Rows - 1], "");
}

TEST_F(ReadNPCList, LineWithOnlyAnEmptyIdStillCounts)
{
    EXPECT_EQ(Read_List("<h>k<r>0<"), 1);
    EXPECT_EQ(Row(0), (std::vector<std::string>{"", "h", "k", "r", "0", ""}));
}
