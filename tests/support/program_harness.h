// Runs a built program in a game folder as a user would, natively or as a Windows .exe
// under Wine, as the environment says: VOREL_PROGRAMS is "native:" or "wine:" followed by
// the build folder that holds the programs. The programs never exit by themselves: the harness reads the console
// until the line it waits for, then ends the process.
#pragma once

#include <string>
#include <sys/types.h>

struct Program_Process {
    pid_t pid = -1;
    int output = -1;          // read end of the program's standard output
    std::string console;      // everything read so far, CR LF turned into "\n"
    bool pending_cr = false;  // a CR read last, held until the next byte tells whether it ends a line
};

// Starts the deliverable (e.g. "data-file-lister") with game_root as working directory.
bool Start_Program(Program_Process& process, const std::string& program, const std::string& game_root);

// Reads until the console holds text (a whole line when text ends in "\n"); false on time-out.
bool Wait_For_Console(Program_Process& process, const std::string& text, double timeout_seconds);

// Ends the process and closes its output.
void Stop_Program(Program_Process& process);

// Runs a one-shot program until its closing line, then ends it. Returns its console
// output, or the output so far followed by "<<timed out>>".
std::string Run_Program(const std::string& program, const std::string& game_root, const std::string& closing_line);

// True when the tests run the Windows build under Wine.
bool Running_Under_Wine();

// The time-out for one program run, longer under Wine.
double Program_Timeout();
