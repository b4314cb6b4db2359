// The formats of the lists that pass between the programs: the count as the readers take it,
// and the names of the per-data-file lists, colliding ones among them.
#include "toolkit/toolkit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(ParseInt, ReadsAsAtoiDoesWithoutOverflow)
{
    struct Case {
        const char* text;
        int value;
    };
    const Case cases[] = {{"3", 3},
                          {"  42xyz", 42},
                          {"-7", -7},
                          {"+8", 8},
                          {"", 0},
                          {"abc", 0},
                          {"\t12", 12},
                          {"- 3", 0},
                          {"0012", 12},
                          {"99999999999", 2147483647},
                          {"-99999999999", -2147483647 - 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Parse_Int(c.text), c.value);
    }
}

std::string Without_Folder(const std::string& path, const std::string& folder)
{
    return path.compare(0, folder.size(), folder) == 0 ? path.substr(folder.size()) : path;
}

// Names a run's data files in order; returns the file names of their NPC lists and mesh lists,
// "npc | mesh", without the folders where they are the usual ones.
std::vector<std::string> Names_Of(const std::vector<std::string>& data_files)
{
    static Named_Lists named;
    named.count = 0;
    std::vector<std::string> lists;
    for (const std::string& name : data_files) {
        Path_Slot npc_list;
        Path_Slot mesh_list;
        Name_Data_File_Lists(named, name.c_str(), npc_list, mesh_list);
        lists.push_back(Without_Folder(npc_list, NPC_Lists_Folder) + " | " +
                        Without_Folder(mesh_list, Mesh_Lists_Folder));
    }
    return lists;
}

TEST(NameDataFileLists, CutsTheLastFourCharactersOfTheJoinedText)
{
    const std::string long_name(94, 'n');
    EXPECT_EQ(
        Names_Of({"Morrowind.esm", "ab", long_name + ".esp"}),
        (std::vector<std::string>{"Morrowind NPC List.txt | Morrowind Mesh List.txt",
                                  "Vorel OXT Files\\NPC List NPC List.txt | Vorel OXT Files\\Mesh List Mesh List.txt",
                                  long_name + " NPC List.txt | " + long_name + " Mesh List.txt"}));
}

// A master and a plugin with one base name, as some mods ship, would write one list: the later
// one in the data-file list keeps its whole name. Letter case tells no names apart.
TEST(NameDataFileLists, LaterDataFileWhoseListsWouldCollideKeepsItsWholeName)
{
    struct Case {
        std::vector<std::string> data_files;
        std::vector<std::string> lists;
    };
    const Case cases[] = {
        {{"Pair.esp", "Pair.esm"},
         {"Pair NPC List.txt | Pair Mesh List.txt", "Pair.esm NPC List.txt | Pair.esm Mesh List.txt"}},
        {{"Pair.esm", "Other.esp", "pair.ESP"},
         {"Pair NPC List.txt | Pair Mesh List.txt", "Other NPC List.txt | Other Mesh List.txt",
          "pair.ESP NPC List.txt | pair.ESP Mesh List.txt"}},
        {{"A.esp", "A.esm", "A.bsa"},
         {"A NPC List.txt | A Mesh List.txt", "A.esm NPC List.txt | A.esm Mesh List.txt",
          "A.bsa NPC List.txt | A.bsa Mesh List.txt"}},
        // One data file named twice is one data file: it keeps its one list.
        {{"Same.esp", "Same.esp", "SAME.ESP"},
         {"Same NPC List.txt | Same Mesh List.txt", "Same NPC List.txt | Same Mesh List.txt",
          "SAME NPC List.txt | SAME Mesh List.txt"}},
        {{"ab", "cd"},
         {"Vorel OXT Files\\NPC List NPC List.txt | Vorel OXT Files\\Mesh List Mesh List.txt",
          "cd NPC List.txt | cd Mesh List.txt"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.data_files[0] + ", " + c.data_files[1]);
        EXPECT_EQ(Names_Of(c.data_files), c.lists);
    }
}

// The first 275 data files are kept: a later one is still told from them, but not from
// another one beyond them.
TEST(NameDataFileLists, NamesBeyondTheTableAreToldOnlyFromTheFirst275)
{
    std::vector<std::string> data_files;
    for (int i = 0; i < Max_Data_Files; ++i) {
        std::string name = "F";
        name.append(std::to_string(i)).append(".esp");
        data_files.push_back(name);
    }
    data_files.insert(data_files.end(), {"F0.esm", "G.esp", "G.esm"});
    const std::vector<std::string> lists = Names_Of(data_files);
    EXPECT_EQ(lists[Max_Data_Files], "F0.esm NPC List.txt | F0.esm Mesh List.txt");
    EXPECT_EQ(lists[Max_Data_Files + 2], "G NPC List.txt | G Mesh List.txt");
}
