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

// A whole name that is itself taken, by an earlier data file whose name less its extension
// spells it, gets the first free number: every data file has lists of its own, whatever names
// come before it, and a name that no other takes stays as it was.
TEST(NameDataFileLists, WholeNameThatIsTakenTooGetsTheFirstFreeNumber)
{
    struct Case {
        std::vector<std::string> data_files;
        std::vector<std::string> npc_lists;
    };
    const Case cases[] = {
        {{"Pair.esm", "Pair.esp.abc", "Pair.esp"}, {"Pair", "Pair.esp", "Pair.esp (2)"}},
        {{"Pair.esm", "PAIR.ESP.abc", "pair.esp"}, {"Pair", "PAIR.ESP", "pair.esp (2)"}},
        // The number chosen is itself a name another data file could spell: it is passed over.
        {{"Pair.esm", "Pair.esp.abc", "Pair.esp (2).esm", "Pair.esp"},
         {"Pair", "Pair.esp", "Pair.esp (2)", "Pair.esp (3)"}},
        // A later data file whose plain name is a numbered one keeps its whole name.
        {{"Pair.esm", "Pair.esp.abc", "Pair.esp", "Pair.esp (2).esm"},
         {"Pair", "Pair.esp", "Pair.esp (2)", "Pair.esp (2).esm"}},
        {{"A.esm", "A.esp.esm", "A.esp.esp", "A.esp"}, {"A", "A.esp", "A.esp.esp", "A.esp (2)"}},
        {{"A.esm", "A.esp.abc", "A.esp.def", "A.esp", "A.esp.ghi"},
         {"A", "A.esp", "A.esp.def", "A.esp (2)", "A.esp.ghi"}},
        // One data file named again is one data file: it keeps the list it was given.
        {{"Pair.esm", "Pair.esp.abc", "Pair.esp", "Pair.esp"}, {"Pair", "Pair.esp", "Pair.esp (2)", "Pair.esp (2)"}},
    };
    for (const Case& c : cases) {
        std::string trace;
        for (const std::string& name : c.data_files) trace += name + ", ";
        SCOPED_TRACE(trace);
        std::vector<std::string> lists;
        for (const std::string& stem : c.npc_lists)
            lists.push_back(stem + " NPC List.txt | " + stem + " Mesh List.txt");
        EXPECT_EQ(Names_Of(c.data_files), lists);
    }
}

// However many data files share a base name, and however long their names, every one gets
// a list of its own, whole in its slot.
TEST(NameDataFileLists, EveryDataFileOfOneBaseNameGetsAListOfItsOwn)
{
    for (const std::string& base : {std::string("P"), std::string(90, 'p')}) {
        SCOPED_TRACE(base.size());
        std::vector<std::string> data_files = {base + ".esm"};
        for (int i = 0; i < 40; ++i)
            data_files.push_back(base + ".esp." + std::string(3, static_cast<char>('0' + i % 10)));
        data_files.push_back(base + ".esp");
        std::vector<std::string> lists = Names_Of(data_files);
        std::vector<std::string> folded;
        for (std::string list : lists) {
            for (char& c : list) c = static_cast<char>(Fold_Letter(static_cast<unsigned char>(c)));
            folded.push_back(list);
        }
        for (size_t i = 0; i < lists.size(); ++i) {
            EXPECT_NE(lists[i].find(" NPC List.txt | "), std::string::npos) << lists[i];
            EXPECT_EQ(lists[i].substr(lists[i].size() - 14), " Mesh List.txt") << lists[i];
            for (size_t j = 0; j < i; ++j) {
                if (data_files[i] == data_files[j]) continue;
                EXPECT_NE(folded[i], folded[j]) << lists[i];
            }
        }
        EXPECT_EQ(lists.back(), base + ".esp (2) NPC List.txt | " + base + ".esp (2) Mesh List.txt");
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
