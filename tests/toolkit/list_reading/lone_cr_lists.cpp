// The lone-CR lists and the list walk worked out on the bytes themselves: the CR LF pairs are
// turned into line ends first, then the reads are taken off the decoded text.
#include "tests/toolkit/list_reading/lone_cr_lists.h"

#include "tests/probes/list_walk.h"

#include <algorithm>
#include <cstdio>

namespace {

// Buffer sizes of the C runtimes: the Windows runtime's BUFSIZ and its file buffer, glibc's
// file buffer (the block size) and BUFSIZ; and this runtime's BUFSIZ when it is another.
std::vector<int> Buffer_Sizes()
{
    std::vector<int> sizes = {512, 4096, 8192};
    if (std::find(sizes.begin(), sizes.end(), BUFSIZ) == sizes.end()) sizes.push_back(BUFSIZ);
    return sizes;
}
constexpr int First_Offset = -3;  // positions of the CR from three before a buffer's end ...
constexpr int Last_Offset = 2;    // ... to the third byte of the next buffer

// The ways a CR stands in a list; the text begins `before` bytes ahead of the CR.
struct Placement {
    const char* name;
    const char* text;
    int before;
};

constexpr Placement Placements[] = {
    {"lone CR starting a line", "\rcr_id<head\r\nafter<line\r\n", 0},
    {"CR LF", "\r\nafter<line\r\n", 0},
    {"lone CR before CR LF", "\r\r\nafter<line\r\n", 0},
    {"lone CR in a first field", "id\r<rest\r\nafter<line\r\n", 2},
    {"lone CR in a line's rest", "id<re\rst\r\nafter<line\r\n", 5},
    {"lone CR ending the list", "last\r", 4},
};

constexpr int Filler_Line_Size = 90;  // with its CR LF

// Lines of the merged list's shape, exactly size bytes long.
std::string Filler(int size)
{
    std::string filler;
    for (int n = 0; size - static_cast<int>(filler.size()) > 2 * Filler_Line_Size; ++n) {
        std::string line = "npc_" + std::to_string(n) + "<head>hair<race>0<";
        line += std::string(static_cast<size_t>(Filler_Line_Size - 2) - line.size(), 'n') + "\r\n";
        filler += line;
    }
    const int last = size - static_cast<int>(filler.size());
    return filler + "pad<" + std::string(static_cast<size_t>(last - 6), 'p') + "\r\n";
}

std::string Crlf_As_Line_Ends(const std::string& bytes)
{
    std::string text;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
        text += bytes[i];
    }
    return text;
}

// The reading rules on decoded text: a field ends at its delimiter (taken) or after
// capacity - 1 characters; meeting the end marks it, and every read after that is empty.
struct Model_Reader {
    std::string text;
    size_t pos = 0;
    int at_end = 0;

    int Peek()
    {
        if (!at_end && pos == text.size()) at_end = 1;
        return at_end ? -1 : static_cast<unsigned char>(text[pos]);
    }
    std::string Field(char delimiter, int capacity)
    {
        std::string field;
        while (!at_end && static_cast<int>(field.size()) < capacity - 1) {
            if (pos == text.size()) {
                at_end = 1;
                break;
            }
            const char c = text[pos++];
            if (c == delimiter) break;
            field += c;
        }
        return field;
    }
};

}  // namespace

std::vector<Lone_Cr_List> Lone_Cr_Lists()
{
    std::vector<Lone_Cr_List> lists;
    for (const int size : Buffer_Sizes()) {
        for (int offset = First_Offset; offset <= Last_Offset; ++offset) {
            for (const Placement& placement : Placements) {
                const int cr = size + offset;
                lists.push_back({std::string(placement.name) + " at byte " + std::to_string(cr),
                                 Filler(cr - placement.before) + placement.text});
            }
        }
    }
    return lists;
}

std::string Expected_Walk(const std::string& bytes)
{
    Model_Reader reader{Crlf_As_Line_Ends(bytes)};
    std::string lines;
    do {
        lines += Walk_Peek_Line(reader.Peek());
        const std::string first = reader.Field(Walk_First_Field_End, Text_Slot_Size);
        lines += Walk_Field_Line(reader.at_end, first);
        const std::string rest = reader.Field(Walk_Line_End, Walk_Rest_Size);
        lines += Walk_Field_Line(reader.at_end, rest);
    } while (!reader.at_end);
    return lines;
}

std::string Walk_Difference(const std::string& walked, const std::string& bytes)
{
    const std::string expected = Expected_Walk(bytes);
    size_t start = 0;
    for (int line = 1; start < walked.size() || start < expected.size(); ++line) {
        const size_t walked_end = std::min(walked.find('\n', start), walked.size());
        const size_t expected_end = std::min(expected.find('\n', start), expected.size());
        const std::string got = walked.substr(start, walked_end - start);
        const std::string want = expected.substr(start, expected_end - start);
        if (got != want) return "line " + std::to_string(line) + ": \"" + got + "\", not \"" + want + "\"";
        start = walked_end + 1;
    }
    return "";
}
