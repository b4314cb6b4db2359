// run-until PROGRAM CLOSING_LINE [SECONDS]: runs PROGRAM in the working directory, shows its
// console, and ends it once CLOSING_LINE stands on a line of its own and the program idles
// (or after SECONDS, 30 by default). Exits 0 when the closing line came, else 1.
#include "tools/program_run/program_run.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: run-until PROGRAM CLOSING_LINE [SECONDS]\n");
        return 2;
    }
    const double seconds = argc > 3 ? std::atof(argv[3]) : 30.0;
    Program_Process process;
    if (!Start_Command(process, {argv[1]}, {})) return 2;
    const bool closed = Wait_For_Console(process, std::string(argv[2]) + "\n", seconds);
    // The lines that may follow the closing line are printed before the program idles.
    for (int waited = 0; closed && !Is_Sleeping(process.pid) && waited < 2000; ++waited) usleep(1000);
    Drain_Console(process);
    Stop_Program(process);
    std::fputs(process.console.c_str(), stdout);
    if (!closed) std::puts("(no closing line in time)");
    return closed ? 0 : 1;
}
