// run-until BUILD PROGRAM [SECONDS]: runs PROGRAM of the build folder BUILD in the working
// directory, shows its console, and ends it once its closing line (tools/programs.txt) stands
// on a line of its own and the program idles (or after SECONDS, 30 by default). Exits 0 when
// the closing line came, 1 when it did not, 2 when the program could not be started.
#include "tools/program_run/program_run.h"
#include "tools/program_run/program_table.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: run-until BUILD PROGRAM [SECONDS]\n");
        return 2;
    }
    const double seconds = argc > 3 ? std::atof(argv[3]) : 30.0;
    const std::string path = Program_In_Build(argv[1], argv[2]);
    Program_Process process;
    if (!Start_Command(process, {path}, {})) {
        std::printf("(could not start %s: %s)\n", path.c_str(), std::strerror(process.start_error));
        return 2;
    }
    const bool closed = Wait_For_Console(process, Closing_Line(argv[2]) + "\n", seconds);
    // The lines that may follow the closing line are printed before the program idles.
    for (int waited = 0; closed && !Is_Sleeping(process.pid) && waited < 2000; ++waited) usleep(1000);
    Drain_Console(process);
    Stop_Program(process);
    std::fputs(process.console.c_str(), stdout);
    if (!closed) std::puts("(no closing line in time)");
    return closed ? 0 : 1;
}
