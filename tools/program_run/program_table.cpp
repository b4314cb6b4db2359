// The table of the programs, read once from the text that CMake copies out of tools/programs.txt.
#include "tools/program_run/program_table.h"

#include "tools/program_run/program_table_text.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace {

// Every line that is not empty and not a "#" comment: three fields separated by tabs.
std::vector<Program_Row> Read_Table()
{
    std::vector<Program_Row> rows;
    std::istringstream text(Program_Table_Text);
    std::string line;
    while (std::getline(text, line)) {
        if (line.empty() || line[0] == '#') continue;
        const size_t first = line.find('\t');
        const size_t second = first == std::string::npos ? first : line.find('\t', first + 1);
        if (second == std::string::npos) continue;
        rows.push_back({line.substr(0, first), line.substr(first + 1, second - first - 1), line.substr(second + 1)});
    }
    return rows;
}

}  // namespace

const Program_Row& Program_Table_Row(const std::string& program)
{
    static const std::vector<Program_Row> rows = Read_Table();
    for (const Program_Row& row : rows)
        if (row.program == program) return row;
    std::fprintf(stderr, "'%s' is not in the table of programs (tools/programs.txt)\n", program.c_str());
    std::abort();
}

std::string Program_In_Build(const std::string& build_folder, const std::string& program)
{
    return build_folder + "/" + Program_Table_Row(program).folder + "/" + program;
}
