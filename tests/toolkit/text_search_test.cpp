// The text searches: where a search begins, what it answers and where it ends, compared
// also with a byte-at-a-time search on a table of tricky buffers, at every width of the
// candidate filter and with the file coming in blocks of every size.
#include "tests/toolkit/buffer_fixture.h"

#include <cstdlib>
#include <cstring>
#include <vector>

using namespace std::string_literals;

using FindText = Buffer_Test;
using FindTextNoCase = Buffer_Test;

// The searches at one width of the candidate filter; a width this processor lacks is skipped.
class FastSearch : public Buffer_Test, public testing::WithParamInterface<int> {
protected:
    void SetUp() override
    {
        Buffer_Test::SetUp();
        if (Set_Search_Width(GetParam()) == -1)
            GTEST_SKIP() << "this processor has no filter " << GetParam() << " wide";
    }
};

INSTANTIATE_TEST_SUITE_P(EveryWidth, FastSearch, testing::Values(1, 16, 32),
                         [](const testing::TestParamInfo<int>& width) {
                             return "Width" + std::to_string(width.param);
                         });

namespace {

unsigned char Fold(unsigned char c) { return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 32) : c; }

// The search as the system defines it, one candidate at a time.
std::int32_t Plain_Search(const std::string& buffer, const std::string& text, std::int32_t from, bool no_case)
{
    const auto length = static_cast<std::int64_t>(text.size());
    const auto size = static_cast<std::int64_t>(buffer.size());
    for (std::int64_t p = from + 1 < 0 ? 0 : from + 1; p < size; ++p) {
        if (length == 0) {
            if (buffer[static_cast<size_t>(p)] == '\0') return static_cast<std::int32_t>(p);
            continue;
        }
        if (p + length > size) break;
        bool match = true;
        for (std::int64_t i = 0; i < length && match; ++i) {
            auto a = static_cast<unsigned char>(buffer[static_cast<size_t>(p + i)]);
            auto b = static_cast<unsigned char>(text[static_cast<size_t>(i)]);
            match = no_case ? Fold(a) == Fold(b) : a == b;
        }
        if (match) return static_cast<std::int32_t>(p + length);
    }
    return -1;
}

// Both searches against the byte-at-a-time one, from every start that matters.
void Expect_Same_Answers(const std::string& buffer, const std::string& text, std::int32_t first_from,
                         std::int32_t last_from)
{
    for (std::int32_t from = first_from; from <= last_from; ++from) {
        SCOPED_TRACE(testing::Message() << "buffer of " << buffer.size() << " bytes, text of " << text.size()
                                        << " bytes, from " << from);
        ASSERT_EQ(Find_Text(text.c_str(), from), Plain_Search(buffer, text, from, false));
        ASSERT_EQ(Find_Text_No_Case(text.c_str(), from), Plain_Search(buffer, text, from, true));
    }
}

// A fixed sequence of numbers, so every run tests the same buffers.
std::uint32_t Next_Number(std::uint32_t& state)
{
    state = state * 1664525u + 1013904223u;
    return state >> 8;
}

}  // namespace

TEST_F(FindText, SearchFromZeroSkipsPositionZero)
{
    Load("MASTxxxx");
    EXPECT_EQ(Find_Text("MAST", 0), -1);
    EXPECT_EQ(Find_Text("MAST", -1), 4);
}

TEST_F(FindText, GoingOnFromAResultPassesOverACopyThatBeginsThere)
{
    Load("xNPC_NPC_");
    EXPECT_EQ(Find_Text("NPC_", 0), 5);
    EXPECT_EQ(Find_Text("NPC_", 5), -1);
    Load("xaaaaa");
    EXPECT_EQ(Find_Text("aa", 0), 3);
    EXPECT_EQ(Find_Text("aa", 3), 6);  // the overlapping copies at 2 and 3 are passed over
}

TEST_F(FindText, MatchMustLieInsideTheBuffer)
{
    Load("xxNPC");
    EXPECT_EQ(Find_Text("NPC_", 0), -1);
    EXPECT_EQ(Find_Text("NPC", 0), 5);
}

TEST_F(FindText, EmptyTextAnswersThePositionOfTheNextNul)
{
    Load("\0ab\0c"s);
    EXPECT_EQ(Find_Text("", -1), 0);
    EXPECT_EQ(Find_Text("", 0), 3);
    EXPECT_EQ(Find_Text("", 3), -1);
}

TEST_F(FindText, IsExactInLetterCase)
{
    Load("xPlayer player");
    EXPECT_EQ(Find_Text("player", 0), 14);
    EXPECT_EQ(Find_Text("PLAYER", 0), -1);
}

TEST_F(FindText, StartsBeyondTheEndAnswerNothing)
{
    Load("abcabc");
    EXPECT_EQ(Find_Text("c", 5), -1);
    EXPECT_EQ(Find_Text("c", 2147483647), -1);
    EXPECT_EQ(Find_Text("a", -100), 1);
}

TEST_F(FindTextNoCase, FoldsOnlyAsciiLetters)
{
    Load("xPLAYER Player player");
    EXPECT_EQ(Find_Text_No_Case("player", 0), 7);
    EXPECT_EQ(Find_Text_No_Case("player", 7), 14);
    EXPECT_EQ(Find_Text_No_Case("PlAyEr", 14), 21);
    Load("x\xC9t\xE9t"s);
    EXPECT_EQ(Find_Text_No_Case("\xE9t", 0), 5);  // 0xE9 and 0xC9 are different bytes
    Load("x[@`{"s);
    EXPECT_EQ(Find_Text_No_Case("{", 0), 5);  // the neighbours of the letters are not folded
    EXPECT_EQ(Find_Text_No_Case("@", 0), 3);
}

TEST_P(FastSearch, AnswersExactlyWhatAByteAtATimeSearchAnswers)
{
    const std::vector<std::string> buffers = {""s,
                                              "a"s,
                                              "\0"s,
                                              "aaaaaa"s,
                                              "AaAaA"s,
                                              "xNPC_NPC_NPC"s,
                                              "NAME\0NAMENAM"s,
                                              "\x80\xFF\xE9\xC9mOdL\0"s,
                                              "b_n_dark elf_m_head_01\0MODL"s,
                                              "zzzzzzzzZ"s,
                                              "\0\0\0x\0"s,
                                              "MODLmodlMoDl"s};
    const std::vector<std::string> texts = {
        "", "a", "A", "aa", "NPC_", "nam", "MODL", "\xE9", "Z", "\x80\xFF", "B_N_DARK ELF_M_HEAD_01"};
    for (const std::string& buffer : buffers) {
        Load(buffer);
        for (const std::string& text : texts) Expect_Same_Answers(buffer, text, -2, File_Length + 1);
    }
}

// Every length of buffer across steps of 64 starts, the text put at every position and in
// both letter cases, so matches start at every alignment, cross block edges and end on
// the buffer's last byte; the first bytes are letters, a digit, an underscore and 0xE9.
TEST_P(FastSearch, AgreesAtEveryAlignmentAndBufferLength)
{
    const std::vector<std::string> texts = {"b_n_head_01", "NPC_", "z", "1st", "_x", "\xE9t"s, "MoDl", "aa"};
    for (const std::string& text : texts) {
        for (size_t length = text.size(); length <= 150; ++length) {
            for (size_t at = 0; at + text.size() <= length; ++at) {
                std::string buffer(length, '.');
                std::string planted = text;
                if (at % 2 == 1)
                    for (char& c : planted) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
                buffer.replace(at, text.size(), planted);
                Load(buffer);
                Expect_Same_Answers(buffer, text, -1, 1);
                Expect_Same_Answers(buffer, text, static_cast<std::int32_t>(at) - 1, static_cast<std::int32_t>(at) + 1);
            }
        }
    }
}

// Buffers of a few bytes that sit next to each other in the byte table: letters in both
// cases, their neighbours '@', '`', '[' and '{' that a careless fold would merge, bytes 0,
// 0xC1 and 0xE1 (which differ by the case bit but are not letters) and 0xFF. Texts of the
// same bytes give overlapping copies, near misses and matches that run into the end.
TEST_P(FastSearch, AgreesOnBuffersOfLookAlikeBytes)
{
    const std::string alphabet = "aAbB@`[{\0\xC1\xE1\xFF"s;
    std::uint32_t state = 8;
    auto pick = [&](size_t count) {
        std::string bytes;
        for (size_t i = 0; i < count; ++i) bytes += alphabet[Next_Number(state) % alphabet.size()];
        return bytes;
    };
    for (int round = 0; round < 300; ++round) {
        const std::string buffer = pick(Next_Number(state) % 90);
        Load(buffer);
        for (size_t text_length = 0; text_length <= 4; ++text_length) {
            std::string text = pick(text_length);
            text = text.substr(0, std::strlen(text.c_str()));  // a text ends at its first NUL
            Expect_Same_Answers(buffer, text, -2, static_cast<std::int32_t>(buffer.size()) + 1);
        }
    }
}

// A long buffer of text-like bytes with candidates everywhere: the one real match stands at
// the very end, a miss scans to the end, and no byte past the end is read.
TEST_P(FastSearch, FindsTheLastMatchOfALongBufferAndMissesPastIt)
{
    std::string buffer;
    std::uint32_t state = 3;
    while (buffer.size() < 100000) buffer += "b_n_heaD_0" + std::to_string(Next_Number(state) % 10) + '\0';
    buffer += "B_N_HEAD_XY";
    Load(buffer);
    const auto end = static_cast<std::int32_t>(buffer.size());
    EXPECT_EQ(Find_Text_No_Case("b_n_head_xy", 0), end);
    EXPECT_EQ(Find_Text("B_N_HEAD_XY", 0), end);
    EXPECT_EQ(Find_Text_No_Case("b_n_head_xyz", 0), -1);
    EXPECT_EQ(Find_Text("b_n_head_xy", 0), -1);
    Expect_Same_Answers(buffer, "b_n_head_07", 99000, 99050);
}

// The file coming in blocks of a few bytes: each search runs on a freshly loaded buffer, so
// that the search itself brings the blocks in, with the match, its first candidate or its
// last byte on every edge.
TEST_P(FastSearch, AgreesWhenTheFileComesInBlocks)
{
    const std::vector<std::string> texts = {"b_n_head_01", "NPC_", "z", "MoDl", "aa", ""};
    for (std::int32_t block : {1, 2, 7, 64, 65, 100}) {
        Set_Fill_Block_Size(block);
        for (const std::string& text : texts) {
            for (size_t at = 0; at + text.size() <= 200; at += 3) {
                std::string buffer(200, '.');
                buffer.replace(at, text.size(), text.empty() ? "\0"s : text);
                for (std::int32_t from : {-1, 0, static_cast<std::int32_t>(at) - 1, static_cast<std::int32_t>(at)}) {
                    SCOPED_TRACE(testing::Message()
                                 << "block " << block << ", text '" << text << "' at " << at << ", from " << from);
                    Load(buffer);
                    ASSERT_EQ(Find_Text(text.c_str(), from), Plain_Search(buffer, text, from, false));
                    Load(buffer);
                    ASSERT_EQ(Find_Text_No_Case(text.c_str(), from), Plain_Search(buffer, text, from, true));
                }
            }
        }
    }
}

// The real block size: a match that ends just before the first edge, stands across it or
// begins just after it, in a file a little longer than one block.
TEST_P(FastSearch, FindsAMatchAcrossTheRealBlockEdge)
{
    constexpr std::int32_t Real_Block = 256 * 1024;
    for (const std::string& text : {"b_n_dark elf_m_head_01"s, "MODL"s}) {
        const auto length = static_cast<std::int32_t>(text.size());
        for (std::int32_t at = Real_Block - length - 1; at <= Real_Block + 1; ++at) {
            SCOPED_TRACE(testing::Message() << text << " at " << at);
            std::string buffer(static_cast<size_t>(Real_Block + 100), '.');
            buffer.replace(static_cast<size_t>(at), text.size(), text);
            Load(buffer);
            EXPECT_EQ(Find_Text_No_Case(text.c_str(), 0), at + length);
            Load(buffer);
            EXPECT_EQ(Find_Text(text.c_str(), at - 1), at + length);
            EXPECT_EQ(Find_Text(text.c_str(), at), -1);
        }
    }
}

// The dispatcher takes the widest filter the processor has; a width it lacks is refused and
// the searches go on with the one they had.
TEST_F(FindText, WidestFilterOfThisProcessorIsTheDefault)
{
    int widest = -1;
    for (int width : {1, 16, 32})
        if (Set_Search_Width(width) != -1) widest = width;
    EXPECT_EQ(Set_Search_Width(0), widest);
    EXPECT_EQ(Set_Search_Width(8), -1);
    EXPECT_EQ(Set_Search_Width(64), -1);
    Load("xNPC_");
    EXPECT_EQ(Find_Text("NPC_", 0), 5);
}

TEST_F(FindText, WithinAWindowAnswersWhatTheWholeSearchAnswersInsideIt)
{
    // offsets: 0 'x', 1..4 "FLAG", 5..8 size, then filler and a second "FLAG" at 104
    const std::string buffer = "xFLAG\x04\0\0\0"s + std::string(95, 'z') + "FLAGyy\0"s;
    for (std::int32_t block : {0, 1, 3, 64}) {
        Set_Fill_Block_Size(block);
        for (const char* text : {"FLAG", "LAG", "yy", "", "zzF", "q"}) {
            for (std::int32_t from = -1; from <= static_cast<std::int32_t>(buffer.size()); ++from) {
                for (std::int32_t window : {0, 1, 5, 16, 17, 99, 100, 101, 1000}) {
                    SCOPED_TRACE(testing::Message()
                                 << "block " << block << ", " << text << " from " << from << " window " << window);
                    const std::int32_t whole = Plain_Search(buffer, text, from, false);
                    const std::int32_t expected =
                        whole != -1 && static_cast<std::int64_t>(whole) - from < window ? whole : -1;
                    Load(buffer);  // the search itself brings the blocks in
                    EXPECT_EQ(Find_Text_Within(text, from, window), expected);
                }
            }
        }
    }
}
