// Fuzz target: the field reader on list text. The first byte picks the delimiter, the second
// the capacity of the field (2 to 128 bytes, held in a block of exactly that size), and the
// rest is the list. Reading must end, never store more than the capacity allows, and read
// the same fields again after a rewind.
#include "fuzz/fuzz_game.h"
#include "toolkit/toolkit.h"

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr char Delimiters[] = {'\n', '<', '>', '*', '\r', '\0'};
// A capacity of 1 leaves no room for a character: such a read takes nothing, and no list
// reader uses it.
constexpr int Smallest_Capacity = 2;
constexpr int Largest_Capacity = 128;

// Every field of the list, one read after another, until the reader has met the end.
std::vector<std::string> Read_All_Fields(Text_In& in, char delimiter, int capacity, size_t list_size)
{
    std::vector<std::string> fields;
    const std::unique_ptr<char[]> field(new char[static_cast<size_t>(capacity)]);
    while (!in.at_end) {
        // Each read either takes a character or meets the end, so the list bounds the reads.
        Fuzz_Check(fields.size() <= list_size + 1, "the field reader ends at the end of the list");
        if (fields.size() % 3 == 1) Peek_Text_In(in);
        const int stored = Read_Field(in, delimiter, field.get(), capacity);
        Fuzz_Check(stored >= 0 && stored <= capacity - 1, "a field holds at most capacity - 1 characters");
        Fuzz_Check(field[static_cast<size_t>(stored)] == '\0', "a field is terminated");
        fields.emplace_back(field.get(), static_cast<size_t>(stored));
    }
    Fuzz_Check(Read_Field(in, delimiter, field.get(), capacity) == 0 && field[0] == '\0',
               "a read after the end yields an empty field");
    return fields;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    if (size < 2) return 0;
    const char delimiter = Delimiters[data[0] % sizeof Delimiters];
    const int capacity = Smallest_Capacity + data[1] % (Largest_Capacity - Smallest_Capacity + 1);
    const std::string_view list(reinterpret_cast<const char*>(data + 2), size - 2);
    Reset_Fuzz_Game();
    Write_Game_File("Fuzz List.txt", list);
    Text_In in;
    Open_Text_In(in, "Fuzz List.txt");
    const std::vector<std::string> first = Read_All_Fields(in, delimiter, capacity, list.size());
    Rewind_Text_In(in);
    Fuzz_Check(Read_All_Fields(in, delimiter, capacity, list.size()) == first, "a rewound list reads the same");
    Close_Text_In(in);
    return 0;
}
