// The mesh copy: whole byte-for-byte copies over longer targets, the error-marker mesh in
// place of a missing source with its console lines and copy error log entries, targets that
// cannot be written, and a source that is the target itself.
#include "tests/support/bound_user.h"
#include "tests/support/console_capture.h"
#include "tests/support/scratch_game.h"
#include "toolkit/toolkit.h"

#include <filesystem>
#include <string>

using namespace std::string_literals;

namespace {

const std::string Marker_Bytes = "NIF error marker\r\n\x1A\0\x0D\x0A\xFF"s;
const std::string Target = "Data Files\\Meshes\\Vorel\\Vorel_Male1_Neck0.NIF";
const std::string Target_File = "Data Files/Meshes/Vorel/Vorel_Male1_Neck0.NIF";

// Every byte value, line-end and end-of-file bytes among them, over more than one block.
std::string Mesh_Bytes(size_t size)
{
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + i / 256) & 0xFF);
    return bytes.substr(0, size - 6) + "\x0D\x0A\x1A\x0A\x0D\x00"s;
}

std::string Miss_Lines(const std::string& source)
{
    return "Error! Could not find file: " + source +
           "\nCopying default file instead\nSee 'Vorel OXT Files\\Copy Errors.txt' for details\n\n";
}

std::string Miss_Entry(const std::string& source, const std::string& target)
{
    return "Could not find file: " + source + "\r\nTo replace file: " + target + "\r\n\r\n";
}

std::string Unwritten_Lines(const std::string& target)
{
    return "Error! Could not write file: " + target + "\nSee 'Vorel OXT Files\\Copy Errors.txt' for details\n\n";
}

std::string Unwritten_Entry(const std::string& source, const std::string& target)
{
    return "Could not write file: " + target + "\r\nWith file: " + source + "\r\n\r\n";
}

}  // namespace

class CopyMeshFile : public Scratch_Game {
protected:
    void SetUp() override
    {
        Scratch_Game::SetUp();
        Enter();
        Write("Data Files/Meshes/Vorel/Vorel_Error_Marker.nif", Marker_Bytes);
    }
    // Copies source over target; returns the console output. source_slot keeps the slot.
    std::string Copy(const std::string& source, const std::string& target = Target)
    {
        std::snprintf(source_slot, sizeof source_slot, "%s", source.c_str());
        Console_Capture capture;
        result = Copy_Mesh_File(source_slot, target.c_str());
        return capture.Text();
    }
    int result = -2;
    std::string Log() const { return Read("Vorel OXT Files/Copy Errors.txt").value_or("<missing>"); }
    std::string Target_Bytes() const { return Read(Target_File).value_or("<missing>"); }
    Text_Slot source_slot = {};
};

TEST_F(CopyMeshFile, CopiesEveryByteOverALongerTarget)
{
    std::filesystem::create_directories(Path("Data Files/Meshes/b"));
    for (size_t size : {size_t{6}, size_t{64 * 1024}, size_t{64 * 1024 + 1}, size_t{300001}}) {
        SCOPED_TRACE(size);
        const std::string mesh = Mesh_Bytes(size);
        Write("Data Files/Meshes/b/neck.nif", mesh);
        Write(Target_File, std::string(400000, 'x'));
        EXPECT_EQ(Copy("Data Files\\Meshes\\b\\neck.nif"), "");
        EXPECT_EQ(result, 0);
        EXPECT_EQ(Target_Bytes(), mesh);
        EXPECT_STREQ(source_slot, "Data Files\\Meshes\\b\\neck.nif");
        EXPECT_EQ(Read("Data Files/Meshes/b/neck.nif"), mesh);
    }
    EXPECT_EQ(Log(), "");
}

TEST_F(CopyMeshFile, EmptySourceEmptiesTheTargetAndTheLogKeepsItsEntries)
{
    Write("Vorel OXT Files/Copy Errors.txt", "old entry\r\n\r\n");
    Write("Data Files/Meshes/empty.nif", "");
    Write(Target_File, "old mesh");
    EXPECT_EQ(Copy("Data Files\\Meshes\\empty.nif"), "");
    EXPECT_EQ(Target_Bytes(), "");
    EXPECT_EQ(Log(), "old entry\r\n\r\n");
}

TEST_F(CopyMeshFile, MissingSourceIsReportedLoggedAndReplacedByTheErrorMarker)
{
    Write("Vorel OXT Files/Copy Errors.txt", "old entry\r\n\r\n");
    Write(Target_File, "old mesh, longer than the marker");
    EXPECT_EQ(Copy("Data Files\\Meshes\\b\\gone.nif"), Miss_Lines("Data Files\\Meshes\\b\\gone.nif"));
    EXPECT_EQ(Log(), "old entry\r\n\r\n" + Miss_Entry("Data Files\\Meshes\\b\\gone.nif", Target));
    EXPECT_STREQ(source_slot, "Data Files\\Meshes\\Vorel\\Vorel_Error_Marker.nif");
    EXPECT_EQ(Target_Bytes(), Marker_Bytes);
    EXPECT_FALSE(Exists("Data Files/Meshes/b"));
}

TEST_F(CopyMeshFile, EmptySourcePathCountsAsMissing)
{
    EXPECT_EQ(Copy(""), Miss_Lines(""));
    EXPECT_EQ(Log(), Miss_Entry("", Target));
    EXPECT_STREQ(source_slot, "Data Files\\Meshes\\Vorel\\Vorel_Error_Marker.nif");
    EXPECT_EQ(Target_Bytes(), Marker_Bytes);
}

TEST_F(CopyMeshFile, MissesAcrossCallsAreAppendedInOrder)
{
    const std::string other = "Data Files\\Meshes\\Vorel\\Vorel_Fem1_Hair0.NIF";
    Copy("first.nif");
    Copy("Data Files\\second.nif", other);
    Write("Data Files/Meshes/found.nif", "found");
    Copy("Data Files\\Meshes\\found.nif");
    EXPECT_EQ(Copy("third.nif"), Miss_Lines("third.nif"));
    EXPECT_EQ(Log(), Miss_Entry("first.nif", Target) + Miss_Entry("Data Files\\second.nif", other) +
                         Miss_Entry("third.nif", Target));
    EXPECT_EQ(Read("Data Files/Meshes/Vorel/Vorel_Fem1_Hair0.NIF"), Marker_Bytes);
}

TEST_F(CopyMeshFile, MissingErrorMarkerIsNotCreatedAndTheTargetIsEmptied)
{
    Remove("Data Files/Meshes/Vorel/Vorel_Error_Marker.nif");
    Write(Target_File, "old mesh");
    EXPECT_EQ(Copy("gone.nif"), Miss_Lines("gone.nif"));
    EXPECT_EQ(Log(), Miss_Entry("gone.nif", Target));
    EXPECT_FALSE(Exists("Data Files/Meshes/Vorel/Vorel_Error_Marker.nif"));
    EXPECT_FALSE(Exists("gone.nif"));
    EXPECT_EQ(Target_Bytes(), "");
}

TEST_F(CopyMeshFile, FolderAsSourceIsNotReportedAndLeavesTheTargetEmpty)
{
    Write(Target_File, "old mesh");
    EXPECT_EQ(Copy("Data Files\\Meshes"), "");
    EXPECT_EQ(Target_Bytes(), "");
    EXPECT_EQ(Log(), "");
    EXPECT_STREQ(source_slot, "Data Files\\Meshes");
}

// A target that cannot be written is never a copy made: the copy answers -1, says so once
// per file, and logs it, whatever the cause.
TEST_F(CopyMeshFile, TargetThatCannotBeWrittenIsSaidAndLogged)
{
    const std::string source = "Data Files\\Meshes\\found.nif";
    struct Case {
        const char* what;
        void (*prepare)(const std::string& target_path);
    };
    const Case cases[] = {
        {"a read-only file", [](const std::string& path) { Make_Read_Only(path); }},
        {"a folder in its place",
         [](const std::string& path) {
             std::filesystem::remove(path);
             std::filesystem::create_directory(path);
         }},
        {"a full disk",
         [](const std::string& path) {
             std::filesystem::remove(path);
             std::filesystem::create_symlink("/dev/full", path);
         }},
        {"a missing folder",
         [](const std::string& path) { std::filesystem::remove_all(std::filesystem::path(path).parent_path()); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Write("Data Files/Meshes/found.nif", "found");
        Write(Target_File, "old");
        Write("Vorel OXT Files/Copy Errors.txt", "");
        As_Bound_User bound(root);
        c.prepare(Path(Target_File));
        EXPECT_EQ(Copy(source), Unwritten_Lines(Target));
        EXPECT_EQ(result, -1);
        EXPECT_EQ(Log(), Unwritten_Entry(source, Target));
        // Said once per file, logged every time.
        EXPECT_EQ(Copy(source), "");
        EXPECT_EQ(Log(), Unwritten_Entry(source, Target) + Unwritten_Entry(source, Target));
        Forget_Unwritten_Files();
        std::filesystem::remove_all(Path("Data Files/Meshes/Vorel"));
        std::filesystem::create_directories(Path("Data Files/Meshes/Vorel"));
        Write("Data Files/Meshes/Vorel/Vorel_Error_Marker.nif", Marker_Bytes);
    }
}

TEST_F(CopyMeshFile, MissingSourceAndUnwritableTargetGiveBothBlocks)
{
    EXPECT_EQ(Copy("gone.nif", "Nowhere\\x.nif"), Miss_Lines("gone.nif") + Unwritten_Lines("Nowhere\\x.nif"));
    EXPECT_EQ(result, -1);
    EXPECT_EQ(Log(), Miss_Entry("gone.nif", "Nowhere\\x.nif") +
                         Unwritten_Entry("Data Files\\Meshes\\Vorel\\Vorel_Error_Marker.nif", "Nowhere\\x.nif"));
    EXPECT_FALSE(Exists("Nowhere"));
    EXPECT_EQ(Read("Data Files/Meshes/Vorel/Vorel_Error_Marker.nif"), Marker_Bytes);
}

// Without the companion folder every copy is made; an entry meant for the log is lost, and
// that is said once.
TEST_F(CopyMeshFile, MissingCompanionFolderLosesOnlyTheLogEntries)
{
    Remove("Vorel OXT Files");
    Write("Data Files/Meshes/found.nif", "found");
    EXPECT_EQ(Copy("Data Files\\Meshes\\found.nif"), "");
    EXPECT_EQ(result, 0);
    EXPECT_EQ(Target_Bytes(), "found");
    EXPECT_EQ(Copy("gone.nif"),
              Miss_Lines("gone.nif") + "Error! Could not write file: Vorel OXT Files\\Copy Errors.txt\n");
    EXPECT_EQ(result, 0);
    EXPECT_EQ(Target_Bytes(), Marker_Bytes);
    EXPECT_EQ(Copy("gone.nif"), Miss_Lines("gone.nif"));
    EXPECT_FALSE(Exists("Vorel OXT Files"));
}

TEST_F(CopyMeshFile, SourceThatIsTheTargetItselfIsLeftAsItIs)
{
    const std::string mesh = Mesh_Bytes(70000);
    Write(Target_File, mesh);
    std::filesystem::create_hard_link(Path(Target_File), Path("Data Files/Meshes/linked.nif"));
    for (const std::string& source :
         {Target, "DATA FILES\\meshes\\vorel\\vorel_male1_neck0.nif"s,
          "Data Files\\Meshes\\Vorel\\..\\Vorel\\Vorel_Male1_Neck0.NIF"s, "Data Files\\Meshes\\linked.nif"s}) {
        SCOPED_TRACE(source);
        EXPECT_EQ(Copy(source), "");
        EXPECT_EQ(Target_Bytes(), mesh);
        EXPECT_STREQ(source_slot, source.c_str());
    }
    EXPECT_EQ(Log(), "");
    // A miss whose target is the error-marker mesh itself is reported, and the marker kept.
    const std::string marker = "Data Files\\Meshes\\Vorel\\Vorel_Error_Marker.nif";
    EXPECT_EQ(Copy("gone.nif", marker), Miss_Lines("gone.nif"));
    EXPECT_EQ(Log(), Miss_Entry("gone.nif", marker));
    EXPECT_EQ(Read("Data Files/Meshes/Vorel/Vorel_Error_Marker.nif"), Marker_Bytes);
}
