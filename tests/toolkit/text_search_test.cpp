// The text searches: where a search begins, what it answers and where it ends, compared
// also with a byte-at-a-time search on a table of tricky buffers.
#include "tests/toolkit/buffer_fixture.h"

#include <cstring>
#include <vector>

using namespace std::string_literals;

using FindText = Buffer_Test;
using FindTextNoCase = Buffer_Test;

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

} // namespace

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
    EXPECT_EQ(Find_Text_No_Case("{", 0), 5);      // the neighbours of the letters are not folded
    EXPECT_EQ(Find_Text_No_Case("@", 0), 3);
}

TEST(FastSearch, AnswersExactlyWhatAByteAtATimeSearchAnswers)
{
    const std::vector<std::string> buffers = {
        ""s, "a"s, "\0"s, "aaaaaa"s, "AaAaA"s, "xNPC_NPC_NPC"s, "NAME\0NAMENAM"s, "\x80\xFF\xE9\xC9mOdL\0"s,
        "b_n_dark elf_m_head_01\0MODL"s, "zzzzzzzzZ"s, "\0\0\0x\0"s, "MODLmodlMoDl"s};
    const std::vector<std::string> texts = {"", "a", "A", "aa", "NPC_", "nam", "MODL", "\xE9", "Z", "\x80\xFF",
                                            "B_N_DARK ELF_M_HEAD_01"};
    for (const std::string& buffer : buffers) {
        File_Buffer = reinterpret_cast<unsigned char*>(const_cast<char*>(buffer.data()));
        File_Length = static_cast<std::int32_t>(buffer.size());
        for (const std::string& text : texts) {
            for (std::int32_t from = -2; from <= File_Length + 1; ++from) {
                SCOPED_TRACE(testing::Message() << "buffer of " << buffer.size() << " bytes, text '" << text
                                                << "', from " << from);
                EXPECT_EQ(Find_Text(text.c_str(), from), Plain_Search(buffer, text, from, false));
                EXPECT_EQ(Find_Text_No_Case(text.c_str(), from), Plain_Search(buffer, text, from, true));
            }
        }
    }
    File_Buffer = nullptr;
    File_Length = 0;
}
