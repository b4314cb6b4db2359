// The file buffer: loads, releases, the bounded byte scans, and the file brought in block
// after block: every read answers as a whole-file load would, at every block edge, and the
// file is read no further than the reads reach and closed when it is no longer loaded.
#include "tests/support/console_capture.h"
#include "tests/toolkit/buffer_fixture.h"
#include "tools/tes3/tes3_builder.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

using namespace std::string_literals;
namespace fs = std::filesystem;

using LoadFileBuffer = Buffer_Test;
using SkipScans = Buffer_Test;
using CopyBufferRange = Buffer_Test;
using FillInBlocks = Buffer_Test;

namespace {

constexpr std::int32_t Real_Block = 256 * 1024;  // what a load brings in at a time

// Block sizes that put block edges everywhere in a small file, and one (0) that brings the
// whole file in with one read, as a whole-file load does.
const std::vector<std::int32_t> Block_Sizes = {1, 2, 3, 5, 7, 8, 16, 63, 64, 65, 0};

// The number of this process's open descriptors on the file at path.
int Open_Descriptors_On(const std::string& path)
{
    const fs::path target = fs::canonical(path);
    int count = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        const fs::path link = fs::read_symlink(entry.path(), error);
        if (!error && link == target) ++count;
    }
    return count;
}

// Writes bytes over the file at path from offset on, in place: the file keeps its other bytes.
void Overwrite_At(const std::string& path, std::int64_t offset, const std::string& bytes)
{
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    ASSERT_TRUE(file) << "cannot open " << path;
    file.seekp(offset);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Filler without byte 0 and without the texts the tests look for.
std::string Filler(size_t count)
{
    std::string bytes;
    while (bytes.size() < count) bytes += "zyxwvut";
    bytes.resize(count);
    return bytes;
}

}  // namespace

TEST_F(LoadFileBuffer, HoldsTheWholeFileByteForByte)
{
    const std::string bytes = "\x00\x0D\x0A\x1A\xFFMAST\r\n"s;
    for (std::int32_t block : Block_Sizes) {
        SCOPED_TRACE(block);
        Set_Fill_Block_Size(block);
        Load(bytes);
        ASSERT_EQ(File_Length, static_cast<std::int32_t>(bytes.size()));
        EXPECT_EQ(Buffer_Bytes(), bytes);
    }
}

TEST_F(LoadFileBuffer, MissingFileInExistingFolderReadsAsEmptyAndIsNotCreated)
{
    Load_File_Buffer("Saves\\Vorel.ess");
    EXPECT_EQ(File_Length, 0);
    EXPECT_EQ(Find_Text("MAST", 0), -1);
    EXPECT_EQ(Find_Text("MAST", -1), -1);
    EXPECT_FALSE(Exists("Saves/Vorel.ess"));
}

TEST_F(LoadFileBuffer, FileThatCannotBeOpenedLeavesAnEmptyBuffer)
{
    Load("MAST");
    for (const char* path : {"No Folder\\x.esm", "Data Files\\", "Saves", ""}) {
        SCOPED_TRACE(path);
        Load_File_Buffer(path);
        EXPECT_EQ(File_Length, 0);
        EXPECT_EQ(Find_Text("", -1), -1);
        EXPECT_EQ(Find_Text_No_Case("mast", -1), -1);
        EXPECT_EQ(Open_Descriptors_On(Path("buffer.bin")), 0);
    }
    EXPECT_FALSE(Exists("No Folder"));
}

// A file so large that a position plus the look-ahead of a scan could pass the int range is
// said on the console, once a run however often it is loaded, and read as empty. The files
// are sparse: no byte of them is written to disk.
TEST_F(LoadFileBuffer, FileTooLargeForItsPositionsIsSaidAndReadAsEmpty)
{
    struct Case {
        std::int64_t size;
        bool taken;
    };
    const Case cases[] = {{Largest_File_Length, true},
                          {static_cast<std::int64_t>(Largest_File_Length) + 1, false},
                          {INT32_MAX, false},
                          {static_cast<std::int64_t>(INT32_MAX) + 1, false},
                          {3LL << 30, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        const std::string name = "Big " + std::to_string(c.size) + ".esm";
        Write("Data Files/" + name, "NPC_");
        if (truncate(Path("Data Files/" + name).c_str(), static_cast<off_t>(c.size)) != 0)
            GTEST_SKIP() << "this file system makes no file of " << c.size << " bytes";
        const std::string path = "Data Files\\" + name;
        for (int load = 0; load < 2; ++load) {
            Console_Capture capture;
            Load_File_Buffer(path.c_str());
            const std::string said = c.taken || load > 0 ? "" : "Error! File too large to read: " + path + "\n";
            EXPECT_EQ(capture.Text(), said);
            EXPECT_EQ(File_Length, c.taken ? c.size : 0);
            if (c.taken) continue;
            EXPECT_EQ(Find_Text("NPC_", -1), -1);
            EXPECT_EQ(Open_Descriptors_On(Path("Data Files/" + name)), 0);
        }
        Free_File_Buffer();
        Remove("Data Files/" + name);
    }
}

TEST_F(LoadFileBuffer, SecondLoadReplacesTheFirstAndKeepsTheCursor)
{
    Load("first file");
    Search_Pos = 7;
    Field_Start = 3;
    Field_End = 5;
    Load("xNPC_");
    EXPECT_EQ(File_Length, 5);
    EXPECT_EQ(Find_Text("NPC_", 0), 5);
    EXPECT_EQ(Search_Pos, 7);
    EXPECT_EQ(Field_Start, 3);
    EXPECT_EQ(Field_End, 5);
}

TEST_F(LoadFileBuffer, FindsTheFileWithoutRegardToLetterCase)
{
    Write("Data Files/Morrowind.ESM", "xyz");
    Load_File_Buffer("data files\\MORROWIND.esm");
    EXPECT_EQ(File_Length, 3);
}

TEST_F(LoadFileBuffer, FreeLeavesNoBlockAndNoOpenFile)
{
    EXPECT_EQ(Is_File_Buffer_Free(), 1);
    Load("abc");
    EXPECT_EQ(Is_File_Buffer_Free(), 0);
    EXPECT_EQ(Open_Descriptors_On(Path("buffer.bin")), 1);
    Free_File_Buffer();
    EXPECT_EQ(Is_File_Buffer_Free(), 1);
    EXPECT_EQ(Open_Descriptors_On(Path("buffer.bin")), 0);
    EXPECT_EQ(File_Length, 0);
    EXPECT_EQ(Buffer_Byte(0), -1);
    EXPECT_EQ(Find_Text("a", -1), -1);
}

// The loaded file is open, shared, from its load until the next load or Free_File_Buffer, or
// until its last byte has come in; nothing else keeps it open.
TEST_F(LoadFileBuffer, FileIsOpenOnlyWhileItIsLoadedAndHasBytesToGive)
{
    Write("first.bin", "xNPC_" + Filler(100));
    Write("second.bin", "xNPC_" + Filler(100));
    Load_File_Buffer("first.bin");
    EXPECT_EQ(File_Length, 105);  // the whole file's size, before any byte is read
    EXPECT_EQ(Open_Descriptors_On(Path("first.bin")), 1);
    EXPECT_EQ(Find_Text("NPC_", 0), 5);
    Load_File_Buffer("second.bin");
    EXPECT_EQ(Open_Descriptors_On(Path("first.bin")), 0);
    EXPECT_EQ(Open_Descriptors_On(Path("second.bin")), 1);
    // The program's own later opens of the loaded file, to write and to read, are not blocked.
    std::FILE* writer = std::fopen(Path("second.bin").c_str(), "r+b");
    ASSERT_NE(writer, nullptr);
    std::fclose(writer);
    EXPECT_EQ(Find_Text("missing", 0), -1);  // a search to the end brings the last byte in
    EXPECT_EQ(Open_Descriptors_On(Path("second.bin")), 0);
    EXPECT_EQ(Is_File_Buffer_Free(), 0);  // the memory stays until Free_File_Buffer
    Free_File_Buffer();
    EXPECT_EQ(Is_File_Buffer_Free(), 1);
}

TEST_F(SkipScans, StopAtTheFittingByteOrTheEnd)
{
    Load("ab\0\0c\0"s);
    EXPECT_EQ(Skip_Nuls(0), 0);  // a byte that is not 0 answers its own position
    EXPECT_EQ(Skip_Nuls(2), 4);
    EXPECT_EQ(Skip_Nuls(5), 6);    // no fitting byte: the end of the buffer
    EXPECT_EQ(Skip_To_Nul(2), 2);  // a byte 0 answers its own position
    EXPECT_EQ(Skip_To_Nul(0), 2);
    EXPECT_EQ(Skip_To_Nul(4), 5);
    Load("abc");
    EXPECT_EQ(Skip_To_Nul(1), 3);
    EXPECT_EQ(Skip_Nuls(3), 3);  // outside the buffer nothing is read
    EXPECT_EQ(Skip_To_Nul(-5), -5);
}

TEST_F(CopyBufferRange, CopiesInclusiveRangeWithoutTerminator)
{
    Load("0123456789");
    char dst[8];
    std::memset(dst, '#', sizeof dst);
    Copy_Buffer_Range(dst, 3, 3);
    EXPECT_EQ(std::string(dst, 2), "3#");
    Copy_Buffer_Range(dst, 5, 4);
    EXPECT_EQ(std::string(dst, 2), "3#");
    Copy_Buffer_Range(dst, 2, 5);
    EXPECT_EQ(std::string(dst, 5), "2345#");
}

TEST_F(CopyBufferRange, NeverReadsOutsideTheBuffer)
{
    Load("abc");
    char dst[8];
    std::memset(dst, '#', sizeof dst);
    Copy_Buffer_Range(dst, 1, 10);
    EXPECT_EQ(std::string(dst, 3), "bc#");
    Copy_Buffer_Range(dst, -2, 0);
    EXPECT_EQ(std::string(dst, 3), "bca");
}

// Each read runs first on a freshly loaded buffer, so that it is the read itself that brings
// the blocks in, across every edge: byte reads, both skips from every position, and copies
// of every range, against what the bytes say.
TEST_F(FillInBlocks, ByteReadsSkipsAndCopiesAnswerAsTheWholeFileAtEveryEdge)
{
    const std::string bytes = "\0ab\0\0\0cdefg\0\0hij\0klmnopqrstu\0\0\0\0\0v\0wxyz\0"s;
    const auto length = static_cast<std::int32_t>(bytes.size());
    for (std::int32_t block : Block_Sizes) {
        Set_Fill_Block_Size(block);
        for (std::int32_t pos = -1; pos <= length; ++pos) {
            SCOPED_TRACE(testing::Message() << "block " << block << ", position " << pos);
            const bool inside = pos >= 0 && pos < length;
            std::int32_t nul = pos, not_nul = pos;
            while (inside && nul < length && bytes[static_cast<size_t>(nul)] != '\0') ++nul;
            while (inside && not_nul < length && bytes[static_cast<size_t>(not_nul)] == '\0') ++not_nul;
            Load(bytes);
            EXPECT_EQ(Buffer_Byte(pos), inside ? static_cast<unsigned char>(bytes[static_cast<size_t>(pos)]) : -1);
            Load(bytes);
            EXPECT_EQ(Skip_To_Nul(pos), nul);
            Load(bytes);
            EXPECT_EQ(Skip_Nuls(pos), not_nul);
            for (std::int32_t last = pos - 1; last <= length; ++last) {
                Load(bytes);
                std::string copy(static_cast<size_t>(length + 2), '#');
                Copy_Buffer_Range(copy.data() + 1, pos, last);
                std::string expected(static_cast<size_t>(length + 2), '#');
                for (std::int32_t i = pos < 0 ? 0 : pos; i <= last && i < length; ++i)
                    expected[static_cast<size_t>(i - pos + 1)] = bytes[static_cast<size_t>(i)];
                ASSERT_EQ(copy, expected) << "copy of " << pos << " to " << last;
            }
        }
    }
}

// A subrecord value whose size, first character, last character or NUL stands on a block
// edge is taken whole, and the cursor and the value's ends are those of the whole file.
TEST_F(FillInBlocks, ValueStraddlingAnEdgeIsTakenWhole)
{
    for (size_t shift = 0; shift < 20; ++shift) {
        // offsets: shift bytes of filler, "NAME" at shift, size at shift + 4, value at shift + 8
        const std::string bytes = Filler(shift) + tes3::String_Subrecord("NAME", "b_n_dark elf_m_head_01") + "MODL";
        const auto tag_end = static_cast<std::int32_t>(shift + 4);
        for (std::int32_t block : Block_Sizes) {
            SCOPED_TRACE(testing::Message() << "shift " << shift << ", block " << block);
            Set_Fill_Block_Size(block);
            Load(bytes);
            Text_Slot value = {};
            Extract_Subrecord_Value(tag_end, value);
            EXPECT_STREQ(value, "b_n_dark elf_m_head_01");
            EXPECT_EQ(Field_Start, tag_end + 4);
            EXPECT_EQ(Field_End, tag_end + 25);
            EXPECT_EQ(Search_Pos, tag_end + 25);
        }
    }
}

// A search brings in the blocks up to the one that holds its answer and no more: bytes
// further on are read only when a later read reaches them, so a change to them on disk
// in between is what that read sees. A search that fails has read the whole file, which
// is then closed, and later changes to it are not seen.
TEST_F(FillInBlocks, ASearchReadsNoFurtherThanTheBlockOfItsAnswer)
{
    const std::string bytes = "xNPC_" + Filler(3 * Real_Block) + "KNAM";
    Write("big.esm", bytes);
    Load_File_Buffer("big.esm");
    EXPECT_EQ(Find_Text("NPC_", 0), 5);
    Overwrite_At(Path("big.esm"), Real_Block + 10, "FNAM");
    EXPECT_EQ(Find_Text("FNAM", 0), Real_Block + 14);
    EXPECT_EQ(Open_Descriptors_On(Path("big.esm")), 1);
    EXPECT_EQ(Find_Text("RNAM", 0), -1);
    EXPECT_EQ(Open_Descriptors_On(Path("big.esm")), 0);
    Overwrite_At(Path("big.esm"), 2 * Real_Block + 10, "RNAM");
    EXPECT_EQ(Find_Text("RNAM", 0), -1);
    EXPECT_EQ(Find_Text("KNAM", 0), static_cast<std::int32_t>(bytes.size()));
}

// File_Length is the size at the load: bytes added to the file afterwards are not read.
TEST_F(FillInBlocks, AFileThatGrowsIsReadAsLongAsItWasWhenLoaded)
{
    for (std::int32_t block : Block_Sizes) {
        SCOPED_TRACE(block);
        Set_Fill_Block_Size(block);
        Write("grows.esp", "xNPC_abc");
        Load_File_Buffer("grows.esp");
        Write("grows.esp", "xNPC_abcdefNAME\0"s);
        EXPECT_EQ(Find_Text("NAME", 0), -1);
        EXPECT_EQ(File_Length, 8);
        EXPECT_EQ(Skip_To_Nul(5), 8);
        EXPECT_EQ(Buffer_Bytes(), "xNPC_abc");
    }
}

// A file cut short after its load, before or while its bytes come in, ends where its bytes
// ended: at the cut, or after the blocks that had come in before it. Every read stays inside
// what came in (the sanitizer build would catch a read of a byte that never came in).
TEST_F(FillInBlocks, AFileThatShrinksEndsWhereItsBytesEnd)
{
    // offsets: "xNPC_" 0..4, filler 5..44, "NAME" 45..48, filler 49..88, NUL 89, "MODL" 90..93
    const std::string whole = "xNPC_" + Filler(40) + "NAME" + Filler(40) + "\0MODL"s;
    const auto size = static_cast<std::int64_t>(whole.size());
    constexpr std::int32_t Cut = 30;
    for (std::int32_t block : Block_Sizes) {
        for (std::int32_t read_first : {-1, 3, 20, 50}) {
            SCOPED_TRACE(testing::Message() << "block " << block << ", first read at " << read_first);
            const std::int64_t step = block > 0 ? block : Real_Block;
            const std::int64_t came_in = read_first < 0 ? 0 : std::min((read_first / step + 1) * step, size);
            const auto length = static_cast<std::int32_t>(std::max<std::int64_t>(Cut, came_in));
            Set_Fill_Block_Size(block);
            Write("shrinks.esp", whole);
            Load_File_Buffer("shrinks.esp");
            if (read_first >= 0) {
                EXPECT_EQ(Buffer_Byte(read_first), static_cast<unsigned char>(whole[static_cast<size_t>(read_first)]));
            }
            Write("shrinks.esp", whole.substr(0, Cut));
            EXPECT_EQ(Find_Text("absent", 0), -1);  // reads on to where the bytes end
            EXPECT_EQ(File_Length, length);
            EXPECT_EQ(Find_Text("NAME", 0), length >= 49 ? 49 : -1);
            EXPECT_EQ(Buffer_Byte(60), length > 60 ? static_cast<unsigned char>(whole[60]) : -1);
            EXPECT_EQ(Skip_To_Nul(10), length > 89 ? 89 : length);
            EXPECT_EQ(Skip_Nuls(length), length);
            char copy[100] = {};
            Copy_Buffer_Range(copy, 0, 99);
            EXPECT_EQ(std::string(copy, sizeof copy), whole.substr(0, static_cast<size_t>(length)) +
                                                          std::string(sizeof copy - static_cast<size_t>(length), '\0'));
        }
    }
    Write("shrinks.esp", whole);
    Load_File_Buffer("shrinks.esp");
    Write("shrinks.esp", "");
    EXPECT_EQ(Find_Text_No_Case("npc_", -1), -1);
    EXPECT_EQ(File_Length, 0);
}

// A load in the middle of reading another file: the first file is closed, and every read
// answers from the second alone, as a whole-file load of it would.
TEST_F(FillInBlocks, ALoadReplacedMidwayGivesOnlyTheNewFile)
{
    const std::string first = "xNAME" + Filler(2 * Real_Block) + "MODLfirst";
    const std::string second = "yy" + Filler(Real_Block - 3) + "MODL" + Filler(100) + "NAME";
    Write("first.esm", first);
    Write("second.esm", second);
    Load_File_Buffer("first.esm");
    EXPECT_EQ(Find_Text("NAME", 0), 5);
    Load_File_Buffer("second.esm");
    EXPECT_EQ(Open_Descriptors_On(Path("first.esm")), 0);
    EXPECT_EQ(File_Length, static_cast<std::int32_t>(second.size()));
    EXPECT_EQ(Find_Text("NAME", 0), static_cast<std::int32_t>(second.size()));
    EXPECT_EQ(Find_Text("MODL", 0), Real_Block + 3);
    EXPECT_EQ(Find_Text("first", 0), -1);
    EXPECT_EQ(Buffer_Bytes(), second);
}

namespace {

// What a reader of "NPC_" records sees of the loaded file, as the NPC lister reads it: each
// record tag, its test, its ID and four fields within their window, and the flag byte.
std::string Npc_Transcript()
{
    std::ostringstream out;
    Search_Pos = 0;
    while ((Search_Pos = Find_Text("NPC_", Search_Pos)) != -1) {
        const std::int32_t name_end = Record_Name_End(Search_Pos, 3);
        out << Search_Pos << ' ' << name_end;
        if (name_end == -1) {
            out << '\n';
            continue;
        }
        Text_Slot value = {};
        Extract_Subrecord_Value(name_end, value);
        out << " [" << value << "] " << Field_Start << ' ' << Field_End;
        for (const char* tag : {"FNAM", "RNAM", "BNAM", "KNAM", "FLAG"}) {
            const std::int32_t t = Find_Text_Within(tag, Search_Pos, 100);
            out << ' ' << tag << ' ' << t;
            if (t == -1) continue;
            Extract_Subrecord_Value(t, value);
            out << " [" << value << "] " << Buffer_Byte(t + 4);
        }
        out << '\n';
    }
    out << Find_Text_No_Case("B_N_HEAD_07", 0) << ' ' << Find_Text("", 17) << '\n';
    return out.str();
}

}  // namespace

// The same reader over the same file answers alike whatever the block size; the whole-file
// way is one block as large as the file.
TEST_F(FillInBlocks, ARecordReaderSeesWhatTheWholeFileShows)
{
    std::string file = tes3::Header_Record(nullptr, 0);
    for (int i = 0; i < 12; ++i) {
        const std::string n = std::to_string(i);
        file += tes3::Npc_Record("npc_" + n, std::string(static_cast<size_t>(i * 7), 'N'), "Nord", "b_n_head_0" + n,
                                 "b_n_hair_" + n, static_cast<std::uint32_t>(i % 2));
        file += tes3::Body_Record("b_n_head_0" + n, "b\\head_" + n + ".nif", "Nord", 0, 0);
        file += Filler(static_cast<size_t>(i * 13));
    }
    file += tes3::Npc_Record("cut", "Cut Off", "Nord", "b_n_head_07", "hair", 1).substr(0, 40);
    Write("records.esp", file);
    Load_File_Buffer("records.esp");
    const std::string whole = Npc_Transcript();
    for (std::int32_t block : Block_Sizes) {
        SCOPED_TRACE(block);
        Set_Fill_Block_Size(block);
        Load_File_Buffer("records.esp");
        EXPECT_EQ(Npc_Transcript(), whole);
    }
}

// A body-part lookup with the real block size, its record placed so that the first block edge
// falls on every byte from just before the ID to just after the mesh path: the lookup finds the
// file and the match the whole file shows, and the mesh path taken after it is whole.
TEST_F(FillInBlocks, ABodyPartLookupAcrossTheRealEdgeFindsWhatTheWholeFileHolds)
{
    const std::string id = "b_n_dark elf_m_head_01";
    const std::string mesh = "b\\B_N_Dark Elf_M_Head_01.nif";
    const std::string record = tes3::Body_Record(id, mesh, "Dark Elf", 0, 0);
    const size_t id_at = record.find(id);
    const size_t mesh_end = record.find(mesh) + mesh.size();
    Write("Data Files/A.esp", "TES3" + Filler(1000));
    Write_Data_File_List({"A.esp", "B.esm"});
    Read_Data_File_List();
    for (size_t edge = id_at - 1; edge <= mesh_end + 1; ++edge) {
        SCOPED_TRACE(testing::Message() << "edge at byte " << edge << " of the record");
        const std::string head = "TES3" + Filler(static_cast<size_t>(Real_Block) - edge - 4);
        Write("Data Files/B.esm", head + record + Filler(100));
        EXPECT_EQ(Find_ID_In_Data_Files("B_N_Dark Elf_M_Head_01"), 1);
        EXPECT_EQ(Search_Pos, static_cast<std::int32_t>(head.size() + id_at + id.size()));
        Search_Pos = Find_Text("MODL", Search_Pos);
        Text_Slot value = {};
        Extract_Subrecord_Value(Search_Pos, value);
        EXPECT_EQ(std::string(value), mesh);
        Text_Slot path = {};
        EXPECT_EQ(Find_Mesh_Path(id.c_str(), path), 1);
        EXPECT_EQ(std::string(path), "Data Files\\Meshes\\" + mesh);
    }
}
