// The table of the programs (tools/programs.txt) for the C++ tools and tests: each program's
// build folder and closing line, from one place that the scripts read too.
#pragma once

#include <string>

struct Program_Row {
    std::string program;       // e.g. "data-file-lister"
    std::string folder;        // its folder below the top of the tree and of a build
    std::string closing_line;  // byte for byte what it prints, without the line end
};

// The row of the program; a name the table does not hold ends the process with a message
// (a caller's typing error, not a state to go on from).
const Program_Row& Program_Table_Row(const std::string& program);

// The closing line of the program, without the line end.
inline const std::string& Closing_Line(const std::string& program) { return Program_Table_Row(program).closing_line; }

// "BUILD/FOLDER/PROGRAM": where a build folder holds the program.
std::string Program_In_Build(const std::string& build_folder, const std::string& program);
