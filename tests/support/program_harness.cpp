// The program harness of the tests: which build of a program runs, and how (natively, or the
// .exe through the Wine loader), on top of the runner that the benchmark and main job share.
#include "tests/support/program_harness.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string Environment(const char* name, const char* fallback)
{
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0' ? value : fallback;
}

std::string Launcher()
{
    const std::string programs = Environment("VOREL_PROGRAMS", "native:.");
    return programs.substr(0, programs.find(':'));
}

std::string Build_Folder()
{
    const std::string programs = Environment("VOREL_PROGRAMS", "native:.");
    const size_t colon = programs.find(':');
    return colon == std::string::npos ? "." : programs.substr(colon + 1);
}

// "data-file-lister" lives in the build folder's "data_file_lister" folder.
std::string Program_Path(const std::string& program)
{
    std::string folder = program;
    for (char& c : folder)
        if (c == '-') c = '_';
    std::string path = Build_Folder() + "/" + folder + "/" + program;
    return Running_Under_Wine() ? path + ".exe" : path;
}

}  // namespace

bool Running_Under_Wine() { return Launcher() == "wine"; }

double Program_Timeout() { return Running_Under_Wine() ? 90.0 : 30.0; }

bool Start_Program(Program_Process& process, const std::string& program, const std::string& game_root, bool bound_user,
                   long long file_size_limit)
{
    Command_Options options;
    options.folder = game_root;
    options.bound_user = bound_user;
    options.file_size_limit = file_size_limit;
    if (!Running_Under_Wine()) return Start_Command(process, {Program_Path(program)}, options);
    setenv("WINEDEBUG", "-all", 1);
    options.quiet = true;
    return Start_Command(process, {Environment("VOREL_WINE_LOADER", "/usr/lib/wine/wine64"), Program_Path(program)},
                         options);
}

std::string Run_Program(const std::string& program, const std::string& game_root, const std::string& closing_line,
                        bool bound_user, long long file_size_limit)
{
    Program_Process process;
    if (!Start_Program(process, program, game_root, bound_user, file_size_limit)) return "<<could not start>>";
    const bool closed = Wait_For_Console(process, closing_line + "\n", Program_Timeout());
    Stop_Program(process);
    return closed ? process.console : process.console + "<<timed out>>";
}
