// The list reader in the probe program, natively and as a Windows .exe under Wine: lists with
// a lone CR or a CR LF around the stream buffer sizes of both C runtimes, walked with peeks
// and field reads as the partner monitor reads its merged NPC list.
#include "tests/support/program_harness.h"
#include "tests/support/scratch_game.h"
#include "tests/toolkit/list_reading/lone_cr_lists.h"

#include <string>
#include <vector>

using TextListProbe = Scratch_Game;

namespace {

// The probe's lines for each list, in list order, without the "list" lines that head them.
std::vector<std::string> Split_Walks(const std::string& console)
{
    std::vector<std::string> walks;
    size_t line_start = 0;
    while (line_start < console.size()) {
        const size_t line_end = console.find('\n', line_start);
        if (line_end == std::string::npos) break;
        const std::string line = console.substr(line_start, line_end + 1 - line_start);
        if (line.rfind("list ", 0) == 0) {
            walks.emplace_back();
        } else if (line != "Done!\n" && !walks.empty()) {
            walks.back() += line;
        }
        line_start = line_end + 1;
    }
    return walks;
}

}  // namespace

TEST_F(TextListProbe, ReadsEveryCrAroundTheStreamBuffersAsTheListHoldsIt)
{
    const std::vector<Lone_Cr_List> lists = Lone_Cr_Lists();
    for (size_t n = 0; n < lists.size(); ++n) Write("probe_" + std::to_string(n) + ".txt", lists[n].bytes);
    const std::string console = Run_To_Closing_Line("text-list-probe", root);
    ASSERT_EQ(console.find("<<timed out>>"), std::string::npos) << console.substr(console.size() - 200);
    const std::vector<std::string> walks = Split_Walks(console);
    ASSERT_EQ(walks.size(), lists.size());
    for (size_t n = 0; n < lists.size(); ++n) {
        SCOPED_TRACE(lists[n].name);
        EXPECT_EQ(Walk_Difference(walks[n], lists[n].bytes), "");
    }
}
