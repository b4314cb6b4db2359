// The body-part lookup over the data files in list order: which match qualifies, which
// data file wins, what the state holds afterwards, and counts outside the name table.
#include "tests/support/scratch_game.h"
#include "tests/toolkit/buffer_fixture.h"
#include "toolkit/toolkit.h"
#include "tools/tes3/tes3_builder.h"

#include <cstring>
#include <string>
#include <vector>

using namespace std::string_literals;
using tes3::Body_Record;

class BodyPartLookup : public Scratch_Game {
protected:
    void SetUp() override
    {
        Scratch_Game::SetUp();
        Enter();
    }
    // The data files in list order, as Write_Data_Files takes them, read into the name table.
    void Data_Files(const std::vector<std::pair<std::string, std::string>>& files)
    {
        Write_Data_Files(files);
        Read_Data_File_List();
    }
    std::string Buffer() const { return Buffer_Bytes(); }
};

TEST_F(BodyPartLookup, FirstDataFileInListOrderWinsAndLaterOnesAreNotLoaded)
{
    const std::string one = "TES3" + Body_Record("b_head", "one\\head.nif", "Nord", 0, 0);
    const std::string three = "TES3" + Body_Record("b_head", "three\\head.nif", "Nord", 0, 0);
    Data_Files({{"Zero.esp", "TES3 nothing"}, {"One.esp", one}, {"Two.esp", ""}, {"Three.esm", three}});
    Search_Pos = 77;
    Field_Start = 5;
    Field_End = 6;
    EXPECT_EQ(Find_ID_In_Data_Files("b_head"), 1);
    EXPECT_EQ(Buffer(), one);
    EXPECT_STREQ(Data_File_Path, "Data Files\\One.esp");
    // Just after the ID: the byte between the ID and "MODL".
    EXPECT_EQ(Search_Pos, static_cast<std::int32_t>(one.find("b_head") + 6));
    EXPECT_EQ(Find_Text("MODL", Search_Pos), Search_Pos + 5);
    EXPECT_EQ(Field_Start, 5);
    EXPECT_EQ(Field_End, 6);
    EXPECT_FALSE(Exists("Data Files/Two.esp"));  // a load would have created it
}

TEST_F(BodyPartLookup, MissAfterEveryDataFileLeavesTheLastOneLoaded)
{
    Data_Files({{"A.esp", "TES3 a"}, {"B.esp", ""}, {"C.esp", "TES3 c"}});
    EXPECT_EQ(Find_ID_In_Data_Files("b_head"), -1);
    EXPECT_EQ(Search_Pos, -1);
    EXPECT_EQ(Buffer(), "TES3 c");
    EXPECT_STREQ(Data_File_Path, "Data Files\\C.esp");
    EXPECT_FALSE(Exists("Data Files/B.esp"));  // the missing data file reads as empty and is not created
}

TEST_F(BodyPartLookup, MatchIgnoresLetterCaseAndIsAnchoredOnlyAtTheBack)
{
    // The data file holds "xB_N_Head_01\0MODL...": a record whose ID is "B_N_Head_01".
    Data_Files({{"A.esp", "TES3" + Body_Record("B_N_Head_01", "h.nif", "Nord", 0, 0)}});
    struct Case {
        const char* id;
        int expected;
    };
    const Case cases[] = {{"b_n_head_01", 0}, {"B_N_HEAD_01", 0},   {"N_Head_01", 0},       {"01", 0},
                          {"B_N_Head_0", -1}, {"B_N_Head_01x", -1}, {"b_n_head_01\xE9", -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(Find_ID_In_Data_Files(c.id), c.expected);
    }
}

TEST_F(BodyPartLookup, MatchNotFollowedByOneByteAndModlIsPassedOver)
{
    // "head" followed by two bytes and "MODL", by one byte and "modl", by one byte and a
    // cut "MOD" at the end of the data file: none qualifies. Then the real record.
    const std::string file =
        "TES3 head\0\0MODL head\0modl "s + Body_Record("head", "real.nif", "Nord", 0, 0) + "head\0MOD"s;
    Data_Files({{"A.esp", file}});
    EXPECT_EQ(Find_ID_In_Data_Files("head"), 0);
    EXPECT_EQ(Search_Pos, static_cast<std::int32_t>(file.find("head\0MODL"s) + 4));
    Data_Files({{"B.esp", "TES3 head\0\0MODL head\0MOD"s}});
    EXPECT_EQ(Find_ID_In_Data_Files("head"), -1);
}

TEST_F(BodyPartLookup, PositionZeroIsNeverTested)
{
    Data_Files({{"A.esp", "head\0MODL\x06\0\0\0x.nif\0"s}});
    EXPECT_EQ(Find_ID_In_Data_Files("head"), -1);
}

TEST_F(BodyPartLookup, EveryLookupLoadsTheDataFilesAfresh)
{
    Data_Files({{"A.esp", "TES3 nothing"}});
    EXPECT_EQ(Find_ID_In_Data_Files("head"), -1);
    Write("Data Files/A.esp", "TES3" + Body_Record("head", "h.nif", "Nord", 0, 0));
    EXPECT_EQ(Find_ID_In_Data_Files("head"), 0);
}

TEST_F(BodyPartLookup, CountsOutsideTheNameTableEndTheLookup)
{
    Write("Data Files/A.esp", "TES3" + Body_Record("head", "h.nif", "Nord", 0, 0));
    std::strcpy(Data_File_Names[0], "A.esp");
    for (int count : {0, -1, -2147483647 - 1}) {
        SCOPED_TRACE(count);
        Data_File_Count = count;
        EXPECT_EQ(Find_ID_In_Data_Files("head"), -1);
        EXPECT_EQ(Search_Pos, -1);
    }
    // Above the table the lookup tries every slot of the table and no further.
    for (int i = 1; i < Max_Data_Files; ++i) std::strcpy(Data_File_Names[i], "Empty.esp");
    Data_File_Count = 100000;
    EXPECT_EQ(Find_ID_In_Data_Files("nowhere"), -1);
    EXPECT_STREQ(Data_File_Path, "Data Files\\Empty.esp");
    std::strcpy(Data_File_Names[Max_Data_Files - 1], "A.esp");
    std::strcpy(Data_File_Names[0], "Empty.esp");
    EXPECT_EQ(Find_ID_In_Data_Files("head"), Max_Data_Files - 1);
}

TEST_F(BodyPartLookup, LongestListedNameReachesItsOwnFile)
{
    const std::string name = std::string(94, 'n') + ".esp";
    Data_Files({{name, "TES3" + Body_Record("head", "h.nif", "Nord", 0, 0)}});
    EXPECT_EQ(Find_ID_In_Data_Files("head"), 0);
    EXPECT_EQ(std::string(Data_File_Path), "Data Files\\" + name);
}

TEST_F(BodyPartLookup, FindMeshPathTakesTheModlValue)
{
    Data_Files({{"A.esp", "TES3 nothing"},
                {"B.esp", "TES3" + Body_Record("B_Head", "b\\B_N_Nord_M_Head_01.NIF", "Nord", 0, 0)}});
    Text_Slot out = {};
    EXPECT_EQ(Find_Mesh_Path("b_head", out), 1);
    EXPECT_STREQ(out, "Data Files\\Meshes\\b\\B_N_Nord_M_Head_01.NIF");
    EXPECT_EQ(Search_Pos, 0);
}

TEST_F(BodyPartLookup, FindMeshPathAfterAMissLeavesOutEmpty)
{
    Data_Files({{"A.esp", "TES3 nothing"}});
    Text_Slot out = {};
    EXPECT_EQ(Find_Mesh_Path("b_head", out), -1);
    EXPECT_STREQ(out, "");
    EXPECT_EQ(Search_Pos, 0);
}

// "Data Files\Meshes\" has 18 characters: a value of 81 makes a path of 99, the most a slot
// holds. A longer value would give a cut path that names some other file: not found.
TEST_F(BodyPartLookup, FindMeshPathNeverGivesACutPath)
{
    struct Case {
        size_t value_length;
        int found;
    };
    for (const Case c : {Case{81, 0}, Case{82, -1}, Case{99, -1}, Case{120, -1}}) {
        SCOPED_TRACE(c.value_length);
        const std::string mesh(c.value_length, 'm');
        Data_Files({{"A.esp", "TES3" + Body_Record("head", mesh, "Nord", 0, 0)}});
        Text_Slot out = {};
        EXPECT_EQ(Find_Mesh_Path("head", out), c.found);
        EXPECT_EQ(std::string(out), c.found == 0 ? "Data Files\\Meshes\\" + mesh : "");
        EXPECT_EQ(Search_Pos, 0);
    }
}

// The mesh lister's resolved slots carry a mark before the path; the mark counts toward the
// slot, so a path that fits without it may not fit with it.
TEST_F(BodyPartLookup, FindMeshPathPutsTheLeadBeforeThePath)
{
    struct Case {
        size_t value_length;
        int found;
    };
    for (const Case c : {Case{80, 0}, Case{81, -1}}) {
        SCOPED_TRACE(c.value_length);
        const std::string mesh(c.value_length, 'm');
        Data_Files({{"A.esp", "TES3" + Body_Record("head", mesh, "Nord", 0, 0)}});
        Text_Slot out = {};
        EXPECT_EQ(Find_Mesh_Path("head", out, "<"), c.found);
        EXPECT_EQ(std::string(out), c.found == 0 ? "<Data Files\\Meshes\\" + mesh : "");
        EXPECT_EQ(Search_Pos, 0);
    }
}

TEST_F(BodyPartLookup, FindMeshPathTakesAValueCutOffByTheEndOfTheFile)
{
    Data_Files({{"B.esp", "TES3 head\0MODL\x09\0\0\0ab"s}});
    Text_Slot out = {};
    EXPECT_EQ(Find_Mesh_Path("head", out), 0);
    EXPECT_STREQ(out, "Data Files\\Meshes\\ab");
}
