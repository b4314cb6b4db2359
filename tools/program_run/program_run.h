// Runs one of the programs as a user does: started in a folder, its console read through a
// pipe. The programs never end by themselves, so a run lasts until a given text stands on the
// console, and the process is then ended. Shared by the tests, the benchmark and the main job.
#pragma once

#include <sys/resource.h>
#include <sys/types.h>

#include <string>
#include <vector>

struct Program_Process {
    pid_t pid = -1;
    int output = -1;          // read end of the program's standard output
    std::string console;      // everything read so far, CR LF turned into "\n"
    bool pending_cr = false;  // a CR read last, held until the next byte tells whether it ends a line
    int start_error = 0;      // the errno of a start that failed (the exec's, the folder's, the user's)
};

struct Command_Options {
    std::string folder = ".";        // the working directory
    bool quiet = false;              // standard error goes nowhere (a loader's own messages)
    bool bound_user = false;         // run as the user "nobody" when started by root (read-only files bind it)
    long long file_size_limit = -1;  // above -1: no file of the program grows past it, as on a full disk
};

// Starts command[0] with the arguments command[1...]. Returns once the program runs, or false
// when it could not be started (process.start_error says why).
bool Start_Command(Program_Process& process, const std::vector<std::string>& command, const Command_Options& options);

// Reads the console until it holds text (a whole line when text ends in "\n"); false when the
// time runs out or the program closes its output first.
bool Wait_For_Console(Program_Process& process, const std::string& text, double timeout_seconds);

// Takes what the program has printed so far, without waiting for more.
void Drain_Console(Program_Process& process);

// Ends the process and closes its output; usage, when given, takes what the system counted of
// the process (its peak memory, its processor times).
void Stop_Program(Program_Process& process, rusage* usage = nullptr);

// True once the process sleeps in a timed wait, as a program does when its work is done.
bool Is_Sleeping(pid_t pid);
