// The mesh lister's worker on NPC lists, census lists and data files made by the tests:
// resolution in place, one search per distinct ID and column, the error log, the mesh
// lists and the merged list, and the progress lines with their numbers.
#include "mesh_lister/mesh_lister.h"
#include "tests/support/bound_user.h"
#include "tests/support/console_capture.h"
#include "tests/support/scratch_game.h"
#include "toolkit/toolkit.h"
#include "tools/program_run/program_table.h"
#include "tools/tes3/tes3_builder.h"

#include <string>
#include <vector>

using namespace std::string_literals;
using tes3::Body_Record;

namespace {

const std::string Block_End = "======================================\n\n";
const std::string Closing = "Done!\n" + Closing_Line("mesh-lister") + "\n";
const std::string Run_Data_File_Lister_First =
    "Error! 'Vorel OXT Files\\Vorel_Data_File_List.txt' is missing or lists nothing: run data-file-lister first\n\n";
const std::string Run_NPC_Lister_First =
    "Error! 'Vorel OXT Files\\Vorel_Data_File_Census_List.txt' is missing or lists nothing: run npc-lister first\n\n";
const std::string Miss_Line_Only = "Meshes for some NPC head/hair body parts could not be found!\n";
// The closing lines of a run that missed a mesh; with a log that could not take the entries,
// the first of them only.
const std::string Miss_Lines = Miss_Line_Only + "See 'Vorel OXT Files\\NPC Errors.txt' for details\n";
const std::string Head_Marker = "<Data Files\\Meshes\\Vorel\\Vorel_Error_Marker.nif";
const std::string Hair_Marker = ">Data Files\\Meshes\\Vorel\\Vorel_Error_Marker.nif";

// The four console lines of one search.
std::string Search(const std::string& id, const std::string& file_share, const std::string& overall)
{
    return "Finding mesh for: " + id + "\nProcessing of Data File is " + file_share +
           "% complete\nOverall progress: " + overall + "% complete\n\n";
}

std::string Creating(const std::string& stem)
{
    return "Creating text file: Vorel OXT Files\\Mesh Lists\\" + stem + " Mesh List.txt\n\n";
}

std::string Body(const std::string& id, const std::string& mesh) { return Body_Record(id, mesh, "Nord", 0, 0); }

std::string Entry(const std::string& column, const std::string& id, const std::string& name, const std::string& npc,
                  const std::string& data_file)
{
    return "Could not find mesh for " + column + " body part : " + id + "\r\nUsed by NPC: " + name +
           "\r\nNPC's ID: " + npc + "\r\nNPC's data file: " + data_file + "\r\n\r\n";
}

}  // namespace

class BuildMeshLists : public Scratch_Game {
protected:
    void SetUp() override
    {
        Scratch_Game::SetUp();
        Enter();
    }
    // The data-file list: its count line, then the names, each with its line end.
    void Data_Files(const std::vector<std::string>& names) { Write_Data_File_List(names); }
    void Data_File(const std::string& name, const std::string& records)
    {
        Write("Data Files/" + name, "TES3" + records);
    }
    void Npc_List(const std::string& stem, const std::string& lines)
    {
        Write("Vorel OXT Files/NPC Lists/" + stem + " NPC List.txt", lines);
    }
    void Census(const std::string& lines) { Write("Vorel OXT Files/Vorel_Data_File_Census_List.txt", lines); }
    std::string Run()
    {
        Console_Capture capture;
        EXPECT_EQ(Build_Mesh_Lists(), 0);
        return capture.Text();
    }
    std::string Mesh_List(const std::string& stem)
    {
        return Read("Vorel OXT Files/Mesh Lists/" + stem + " Mesh List.txt").value_or("<missing>");
    }
    std::string Merged() { return Read("Vorel_NPC_List.txt").value_or("<missing>"); }
    std::string Errors() { return Read("Vorel OXT Files/NPC Errors.txt").value_or("<missing>"); }
};

TEST_F(BuildMeshLists, ResolvesEveryDataFileOfTheCensusInOrder)
{
    Data_Files({"Mod.esp", "Empty.esp", "Base.esm"});
    Data_File("Mod.esp", Body("b_head", "mod\\head.nif"));
    Data_File("Base.esm",
              Body("b_head", "b\\head.nif") + Body("b_hair", "b\\hair.nif") + Body("b_hair2", "b\\hair2.nif"));
    Census("Mod.esp*2\r\nEmpty.esp*0\r\nBase.esm*1\r\n");
    Npc_List("Mod", "alvor<b_head>b_hair<Nord>0<Alvor\r\nbera<b_head>b_hair2<Nord>1<Bera\r\n");
    Npc_List("Base", "alvor<b_head>b_hair<Imperial>0<Alvor of Base\r\n");
    Write("Vorel_NPC_List.txt", "left from an earlier run\r\n");
    Write("Vorel OXT Files/NPC Errors.txt", "left from an earlier run\r\n");
    EXPECT_EQ(Run(), Creating("Mod") + Search("b_head", "0", "0") + Search("b_hair", "50", "16.667") +
                         "Error! Could not find data file: Data Files\\Empty.esp\n" + Search("b_hair2", "75", "25") +
                         Block_End + "No NPC's in data file: Empty.esp\n\n" + Block_End + Creating("Base") +
                         Search("b_head", "0", "66.667") + Search("b_hair", "50", "83.333") + Block_End + Closing);
    const std::string mod = "alvor<Data Files\\Meshes\\mod\\head.nif>Data Files\\Meshes\\b\\hair.nif<Nord>0<Alvor\r\n"
                            "bera<Data Files\\Meshes\\mod\\head.nif>Data Files\\Meshes\\b\\hair2.nif<Nord>1<Bera\r\n";
    const std::string base =
        "alvor<Data Files\\Meshes\\mod\\head.nif>Data Files\\Meshes\\b\\hair.nif<Imperial>0<Alvor of Base\r\n";
    EXPECT_EQ(Mesh_List("Mod"), mod);
    EXPECT_EQ(Mesh_List("Base"), base);
    EXPECT_FALSE(Exists("Vorel OXT Files/Mesh Lists/Empty Mesh List.txt"));
    EXPECT_EQ(Merged(), mod + base);
    EXPECT_EQ(Errors(), "");
    EXPECT_EQ(Is_File_Buffer_Free(), 1);
}

TEST_F(BuildMeshLists, ProgressLinesCountSlotsAndFinishedCensusLines)
{
    Data_Files({"None.esp", "A.esp", "B.esp", "C.esp"});
    Data_File("A.esp", Body("h1", "h1.nif") + Body("h2", "h2.nif") + Body("k1", "k1.nif"));
    Census("None.esp*0\r\nA.esp*3\r\n");
    Npc_List("A", "a<h1>k1<r>0<A\r\nb<h2>k1<r>0<B\r\nc<h2>k1<r>0<C\r\n");
    // Before the hair search 1 of 6 slots is resolved, and 1 of 4 data files is done.
    EXPECT_EQ(Run(), "No NPC's in data file: None.esp\n\n" + Block_End + Creating("A") + Search("h1", "0", "25") +
                         "Error! Could not find data file: Data Files\\None.esp\n" + Search("k1", "16.67", "29.167") +
                         Search("h2", "66.67", "41.667") + Block_End + Closing);
}

TEST_F(BuildMeshLists, SharedHeadAndHairAreSearchedOncePerColumn)
{
    Data_Files({"A.esp"});
    Data_File("A.esp", Body("b_same", "same.nif"));
    Census("A.esp*3\r\n");
    Npc_List("A", "a<b_same>b_same<r>0<A\r\nb<b_same>b_same<r>1<B\r\nc<b_same>b_same<r>0<C\r\n");
    EXPECT_EQ(Run(), Creating("A") + Search("b_same", "0", "0") + Search("b_same", "50", "50") + Block_End + Closing);
    const std::string line = "<Data Files\\Meshes\\same.nif>Data Files\\Meshes\\same.nif<r>";
    EXPECT_EQ(Mesh_List("A"), "a" + line + "0<A\r\nb" + line + "1<B\r\nc" + line + "0<C\r\n");
}

TEST_F(BuildMeshLists, IdsThatDifferInLetterCaseAreSearchedSeparately)
{
    Data_Files({"A.esp"});
    Data_File("A.esp", Body("B_Head", "head.nif") + Body("b_hair", "hair.nif"));
    Census("A.esp*2\r\n");
    Npc_List("A", "a<B_Head>b_hair<r>0<A\r\nb<b_head>B_HAIR<r>0<B\r\n");
    EXPECT_EQ(Run(), Creating("A") + Search("B_Head", "0", "0") + Search("b_hair", "25", "25") +
                         Search("b_head", "50", "50") + Search("B_HAIR", "75", "75") + Block_End + Closing);
    const std::string line = "<Data Files\\Meshes\\head.nif>Data Files\\Meshes\\hair.nif<r>0<";
    EXPECT_EQ(Mesh_List("A"), "a" + line + "A\r\nb" + line + "B\r\n");
}

TEST_F(BuildMeshLists, MissIsLoggedOncePerDataFileAndColumn)
{
    Data_Files({"A.esp", "B.esp"});
    Data_File("A.esp", Body("b_hair", "hair.nif"));
    Census("A.esp*3\r\nB.esp*1");
    Npc_List("A", "a<lost>b_hair<r>0<Alvor\r\nb<lost>b_hair<r>1<Bera\r\nc<b_hair>lost<r>0<Cato\r\n");
    Npc_List("B", "d<lost>b_hair<r>0<Dram\r\n");
    const std::string console = Run();
    // The missing data file is said at its first load, in the first lookup; never again in the run.
    EXPECT_EQ(console, Creating("A") + Search("lost", "0", "0") +
                           "Error! Could not find data file: Data Files\\B.esp\n" +
                           Search("b_hair", "33.33", "16.667") + Search("b_hair", "66.67", "33.333") +
                           Search("lost", "83.33", "41.667") + Block_End + Creating("B") + Search("lost", "0", "50") +
                           Search("b_hair", "50", "75") + Block_End + Closing + Miss_Lines);
    EXPECT_EQ(Errors(), Entry("head", "lost", "Alvor", "a", "A.esp") + Entry("hair", "lost", "Cato", "c", "A.esp") +
                            Entry("head", "lost", "Dram", "d", "B.esp"));
    const std::string hair = ">Data Files\\Meshes\\hair.nif";
    EXPECT_EQ(Mesh_List("A"), "a" + Head_Marker + hair + "<r>0<Alvor\r\nb" + Head_Marker + hair + "<r>1<Bera\r\nc" +
                                  "<Data Files\\Meshes\\hair.nif" + Hair_Marker + "<r>0<Cato\r\n");
    EXPECT_EQ(Mesh_List("B"), "d" + Head_Marker + hair + "<r>0<Dram\r\n");
}

TEST_F(BuildMeshLists, LastCensusLineWithoutLineEndIsListed)
{
    Data_Files({"A.esp"});
    Data_File("A.esp", Body("h", "h.nif") + Body("k", "k.nif"));
    Census("A.esp*1");
    Npc_List("A", "a<h>k<r>0<A\r\n");
    EXPECT_EQ(Run(), Creating("A") + Search("h", "0", "0") + Search("k", "50", "50") + Block_End + Closing);
    EXPECT_EQ(Merged(), "a<Data Files\\Meshes\\h.nif>Data Files\\Meshes\\k.nif<r>0<A\r\n");
}

TEST_F(BuildMeshLists, EmptyOrMissingCensusListListsNothing)
{
    Write("Vorel_NPC_List.txt", "old\r\n");
    Write("Vorel OXT Files/NPC Errors.txt", "old\r\n");
    EXPECT_EQ(Run(), Run_Data_File_Lister_First + Closing);
    EXPECT_EQ(Merged(), "");
    EXPECT_EQ(Errors(), "");
    EXPECT_EQ(Read("Vorel OXT Files/Vorel_Data_File_Census_List.txt"), ""s);
    Census("");
    EXPECT_EQ(Run(), Run_Data_File_Lister_First + Closing);
    // With the data files listed, the census list is what is missing: the NPC lister writes it.
    Data_Files({"A.esp"});
    EXPECT_EQ(Run(), Run_NPC_Lister_First + Closing);
    Remove("Vorel OXT Files/Vorel_Data_File_Census_List.txt");
    EXPECT_EQ(Run(), Run_NPC_Lister_First + Closing);
}

TEST_F(BuildMeshLists, CensusCountOfZeroLeavesAnEarlierMeshListAsItWas)
{
    Data_Files({"A.esp"});
    Census("A.esp*0\r\n");
    Npc_List("A", "a<h>k<r>0<A\r\n");
    Write("Vorel OXT Files/Mesh Lists/A Mesh List.txt", "kept\r\n");
    EXPECT_EQ(Run(), "No NPC's in data file: A.esp\n\n" + Block_End + Closing);
    EXPECT_EQ(Mesh_List("A"), "kept\r\n");
    EXPECT_EQ(Merged(), "");
    // Text that is no number counts as 0 too.
    Census("A.esp*none\r\n");
    EXPECT_EQ(Run(), "No NPC's in data file: A.esp\n\n" + Block_End + Closing);
}

TEST_F(BuildMeshLists, CountLargerThanTheListNeverWritesAnEarlierDataFilesRows)
{
    Data_Files({"A.esp"});
    Data_File("A.esp", Body("h", "h.nif") + Body("k", "k.nif") + Body("h2", "h2.nif"));
    Census("A.esp*2\r\nB.esp*5\r\nC.esp*3\r\n");
    Npc_List("A", "a<h>k<r>0<A\r\nb<h2>k<r>1<B\r\n");
    Npc_List("B", "c<h>k<r>0<C\r\n");
    const std::string console = Run();
    EXPECT_EQ(console, Creating("A") + Search("h", "0", "0") + Search("k", "25", "25") + Search("h2", "75", "75") +
                           Block_End + Creating("B") + Search("h", "0", "100") + Search("k", "10", "110") + Block_End +
                           Creating("C") + Block_End + Closing);
    EXPECT_EQ(Mesh_List("B"), "c<Data Files\\Meshes\\h.nif>Data Files\\Meshes\\k.nif<r>0<C\r\n");
    EXPECT_EQ(Mesh_List("C"), "");
    EXPECT_EQ(Read("Vorel OXT Files/NPC Lists/C NPC List.txt"), ""s);  // created empty by its read
    EXPECT_EQ(Errors(), "");
}

TEST_F(BuildMeshLists, CountSmallerThanTheListWritesOnlyThatManyRows)
{
    Data_Files({"A.esp"});
    Data_File("A.esp", Body("h", "h.nif") + Body("k", "k.nif"));
    Census("A.esp*1\r\n");
    Npc_List("A", "a<h>k<r>0<A\r\nb<unseen>unseen<r>1<B\r\n");
    EXPECT_EQ(Run(), Creating("A") + Search("h", "0", "0") + Search("k", "50", "50") + Block_End + Closing);
    EXPECT_EQ(Mesh_List("A"), "a<Data Files\\Meshes\\h.nif>Data Files\\Meshes\\k.nif<r>0<A\r\n");
}

TEST_F(BuildMeshLists, NoDataFilesStillPrintNumbers)
{
    Census("A.esp*1\r\nB.esp*1\r\n");
    Npc_List("A", "a<h>k<r>0<Alvor\r\n");
    Npc_List("B", "b<h>k<r>0<Bera\r\n");
    for (const std::string& list : {"0\r\n"s, "-2\r\nA.esp\r\n"s, "no count\r\n"s}) {
        SCOPED_TRACE(list);
        Write("Vorel OXT Files/Vorel_Data_File_List.txt", list);
        // Counted as one data file: every finished census line adds 100.
        EXPECT_EQ(Run(), Creating("A") + Search("h", "0", "0") + Search("k", "50", "50") + Block_End + Creating("B") +
                             Search("h", "0", "100") + Search("k", "50", "150") + Block_End +
                             Run_Data_File_Lister_First + Closing + Miss_Lines);
        EXPECT_EQ(Errors(), Entry("head", "h", "Alvor", "a", "A.esp") + Entry("hair", "k", "Alvor", "a", "A.esp") +
                                Entry("head", "h", "Bera", "b", "B.esp") + Entry("hair", "k", "Bera", "b", "B.esp"));
    }
}

TEST_F(BuildMeshLists, MissingMeshListsFolderIsSaidAndStillFillsTheMergedList)
{
    Data_Files({"A.esp"});
    Data_File("A.esp", Body("h", "h.nif") + Body("k", "k.nif"));
    Census("A.esp*1\r\n");
    Npc_List("A", "a<h>k<r>0<A\r\n");
    Remove("Vorel OXT Files/Mesh Lists");
    const std::string mesh_list = "Vorel OXT Files\\Mesh Lists\\A Mesh List.txt";
    EXPECT_EQ(Run(), "Creating text file: " + mesh_list + "\nError! Could not write file: " + mesh_list + "\n\n" +
                         Search("h", "0", "0") + Search("k", "50", "50") + Block_End + Closing);
    EXPECT_EQ(Merged(), "a<Data Files\\Meshes\\h.nif>Data Files\\Meshes\\k.nif<r>0<A\r\n");
    EXPECT_FALSE(Exists("Vorel OXT Files/Mesh Lists"));
}

// Read-only lists and logs are said once each, before the closing lines; the run goes on.
TEST_F(BuildMeshLists, ReadOnlyListsAndLogAreSaidOnceEachBeforeTheClosingLines)
{
    Data_Files({"A.esp"});
    Data_File("A.esp", Body("k", "k.nif"));
    Census("A.esp*2\r\n");
    Npc_List("A", "a<h>k<r>0<A\r\nb<h>k<r>1<B\r\n");
    for (const char* file : {"Vorel_NPC_List.txt", "Vorel OXT Files/NPC Errors.txt"}) Write(file, "old\r\n");
    As_Bound_User bound(root);
    Make_Read_Only(Path("Vorel_NPC_List.txt"));
    Make_Read_Only(Path("Vorel OXT Files/NPC Errors.txt"));
    Make_Read_Only(Path("Vorel OXT Files/Mesh Lists"));
    const std::string mesh_list = "Vorel OXT Files\\Mesh Lists\\A Mesh List.txt";
    EXPECT_EQ(Run(), "Error! Could not write file: Vorel OXT Files\\NPC Errors.txt\n"
                     "Error! Could not write file: Vorel_NPC_List.txt\n"
                     "Creating text file: " +
                         mesh_list + "\nError! Could not write file: " + mesh_list + "\n\n" + Search("h", "0", "0") +
                         Search("k", "50", "50") + Block_End + Closing + Miss_Line_Only);
    EXPECT_EQ(Merged(), "old\r\n");
    EXPECT_EQ(Errors(), "old\r\n");
    EXPECT_FALSE(Exists("Vorel OXT Files/Mesh Lists/A Mesh List.txt"));
}

TEST_F(BuildMeshLists, ListPathsCutTheJoinedText)
{
    const std::string long_name = std::string(94, 'n') + ".esp";
    Data_Files({"A.esp"});
    Data_File("A.esp", Body("h", "h.nif") + Body("k", "k.nif"));
    Census("A*1\r\n" + long_name + "*1\r\nPlugin*1\r\n");
    Write("Vorel OXT Files/NPC Lis NPC List.txt", "short<h>k<r>0<S\r\n");
    Npc_List(std::string(94, 'n'), "long<h>k<r>0<L\r\n");
    Npc_List("Pl", "plugin<h>k<r>0<P\r\n");
    const std::string console = Run();
    EXPECT_NE(console.find("Creating text file: Vorel OXT Files\\Mesh Lis Mesh List.txt\n"), std::string::npos);
    const std::string tail = "<Data Files\\Meshes\\h.nif>Data Files\\Meshes\\k.nif<r>0<";
    EXPECT_EQ(Read("Vorel OXT Files/Mesh Lis Mesh List.txt"), "short" + tail + "S\r\n");
    EXPECT_EQ(Mesh_List(std::string(94, 'n')), "long" + tail + "L\r\n");
    EXPECT_EQ(Mesh_List("Pl"), "plugin" + tail + "P\r\n");
}

TEST_F(BuildMeshLists, SlotThatAlreadyCarriesTheMarkIsNotSearched)
{
    // An ID of 99 characters leaves its "<" to the head field, which then reads "<h".
    const std::string id99(99, 'i');
    Data_Files({"A.esp"});
    Data_File("A.esp", Body("k", "k.nif"));
    Census("A.esp*1\r\n");
    Npc_List("A", id99 + "<h>k<r>0<A\r\n");
    EXPECT_EQ(Run(), Creating("A") + Search("k", "0", "0") + Block_End + Closing);
    EXPECT_EQ(Mesh_List("A"), id99 + "<h>Data Files\\Meshes\\k.nif<r>0<A\r\n");
}

// A resolved value is the mark, "Data Files\Meshes\" and the "MODL" value: a value of 80
// fills the slot. A longer one would be listed cut, naming some other file: it counts as
// not found, with the error-marker mesh, its log entry and the closing lines of a miss.
TEST_F(BuildMeshLists, MeshPathTooLongForItsSlotCountsAsNotFound)
{
    const std::string fits(80, 'f');
    const std::string too_long(81, 't');
    Data_Files({"A.esp"});
    Data_File("A.esp", Body("h", too_long) + Body("k", fits));
    Census("A.esp*1\r\n");
    Npc_List("A", "a<h>k<r>0<A\r\n");
    EXPECT_EQ(Run(),
              Creating("A") + Search("h", "0", "0") + Search("k", "50", "50") + Block_End + Closing + Miss_Lines);
    EXPECT_EQ(Mesh_List("A"), "a" + Head_Marker + ">Data Files\\Meshes\\" + fits + "<r>0<A\r\n");
    EXPECT_EQ(Errors(), Entry("head", "h", "A", "a", "A.esp"));
}

TEST_F(BuildMeshLists, MalformedListsEndWithoutHarm)
{
    Data_Files({"A.esp"});
    Data_File("A.esp", Body("h", "h.nif") + "h\0MODL"s);
    const std::string long_field(300, 'x');
    const std::vector<std::string> lists = {"",
                                            "\r\n",
                                            "<<<>>>",
                                            "a",
                                            "a<h",
                                            "<>\r\n<>\r\n",
                                            long_field,
                                            long_field + "<" + long_field + ">" + long_field + "\r\n",
                                            "a<>h<r>0<\r\n",
                                            "a<h>h<r>0<N\r\nb<>\r\n"};
    for (const std::string& list : lists) {
        SCOPED_TRACE(list);
        Census("A.esp*4000\r\nA.esp*2147483647\r\nA.esp*-5\r\n");
        Npc_List("A", list);
        const std::string console = Run();
        EXPECT_EQ(console.substr(console.find("Done!")).substr(0, Closing.size()), Closing);
    }
}
