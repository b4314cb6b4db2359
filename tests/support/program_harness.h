// Runs a built program in a game folder as a user would, natively or as a Windows .exe
// under Wine, as the environment says: VOREL_PROGRAMS is "native:" or "wine:" followed by
// the build folder that holds the programs. The programs never exit by themselves: the
// harness reads the console until the line it waits for, then ends the process.
#pragma once

#include "tools/program_run/program_run.h"
#include "tools/program_run/program_table.h"

#include <string>

// Starts the deliverable (e.g. "data-file-lister") with game_root as working directory;
// as the user whom read-only files bind, when bound_user is set and the tests run as root
// (natively only: Wine runs no prefix of another user's); unable to grow any file past
// file_size_limit bytes, as on a full disk, when that is set. False when it could not be
// started, with the reason in process.start_error.
bool Start_Program(Program_Process& process, const std::string& program, const std::string& game_root,
                   bool bound_user = false, long long file_size_limit = -1);

// Runs a one-shot program until its closing line, then ends it. Returns its console
// output, the output so far followed by "<<timed out>>", or "<<could not start ...>>" with
// the reason.
std::string Run_Program(const std::string& program, const std::string& game_root, const std::string& closing_line,
                        bool bound_user = false, long long file_size_limit = -1);

// The same until the program's closing line in the table of programs (tools/programs.txt).
std::string Run_To_Closing_Line(const std::string& program, const std::string& game_root, bool bound_user = false);

// True when the tests run the Windows build under Wine.
bool Running_Under_Wine();

// The time-out for one program run, longer under Wine.
double Program_Timeout();
