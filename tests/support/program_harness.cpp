// The program harness of the tests: which build of a program runs, and how (natively, or the
// .exe through the Wine loader), on top of the runner that the benchmark and main job share.
#include "tests/support/program_harness.h"

#include "tools/program_run/program_table.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

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

std::string Program_Path(const std::string& program)
{
    const std::string path = Program_In_Build(Build_Folder(), program);
    return Running_Under_Wine() ? path + ".exe" : path;
}

// The bound user may not reach the build: a clone in root's home or in a folder that
// "mktemp -d" made is closed to it. It runs a copy of the program in a folder of its own
// beside the game folder (whose parent anyone passes); "" when none could be made.
std::string Copy_For_Bound_User(const std::string& program_path, const std::string& game_root)
{
    std::string folder = (fs::path(game_root).parent_path() / "vorel-program-XXXXXX").string();
    if (mkdtemp(folder.data()) == nullptr) return "";
    const fs::path copy = fs::path(folder) / fs::path(program_path).filename();
    std::error_code failed;
    fs::copy_file(program_path, copy, failed);
    if (!failed)
        fs::permissions(copy,
                        fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec | fs::perms::group_read |
                            fs::perms::others_read,
                        failed);
    if (!failed && chmod(folder.c_str(), 0755) == 0) return copy.string();
    fs::remove_all(folder, failed);
    return "";
}

bool Start_As_Bound_User(Program_Process& process, const std::string& program, const Command_Options& options)
{
    errno = 0;
    const std::string copy = Copy_For_Bound_User(Program_Path(program), options.folder);
    if (copy.empty()) {
        process.start_error = errno != 0 ? errno : EACCES;
        return false;
    }
    const bool started = Start_Command(process, {copy}, options);
    // Start_Command returns once the exec is done: the running program needs its file no more.
    std::error_code ignored;
    fs::remove_all(fs::path(copy).parent_path(), ignored);
    return started;
}

bool Start_Under_Wine(Program_Process& process, const std::string& program, Command_Options options)
{
    // Wine's loader starts whatever it is given and then ends on a missing .exe: that is a
    // failed start, not a program that never prints its closing line.
    const std::string exe = Program_Path(program);
    if (!fs::exists(exe)) {
        process.start_error = ENOENT;
        return false;
    }
    // The Wine prefix belongs to the user who made it, and Wine runs no prefix of another
    // user's: a test that needs a bound user cannot have one under Wine.
    if (options.bound_user && geteuid() == 0) {
        process.start_error = EPERM;
        return false;
    }
    setenv("WINEDEBUG", "-all", 1);
    // The prefix that tools/wine_prefix.sh exported, else the one this build was configured
    // with: never the prefix in the user's home.
    setenv("WINEPREFIX", VOREL_WINE_PREFIX, 0);
    options.quiet = true;
    return Start_Command(process, {Environment("VOREL_WINE_LOADER", "/usr/lib/wine/wine64"), exe}, options);
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
    if (Running_Under_Wine()) return Start_Under_Wine(process, program, options);
    if (bound_user && geteuid() == 0) return Start_As_Bound_User(process, program, options);
    return Start_Command(process, {Program_Path(program)}, options);
}

std::string Run_Program(const std::string& program, const std::string& game_root, const std::string& closing_line,
                        bool bound_user, long long file_size_limit)
{
    Program_Process process;
    if (!Start_Program(process, program, game_root, bound_user, file_size_limit))
        return "<<could not start " + program + ": " + std::strerror(process.start_error) + ">>";
    const bool closed = Wait_For_Console(process, closing_line + "\n", Program_Timeout());
    Stop_Program(process);
    return closed ? process.console : process.console + "<<timed out>>";
}

std::string Run_To_Closing_Line(const std::string& program, const std::string& game_root, bool bound_user)
{
    return Run_Program(program, game_root, Closing_Line(program), bound_user);
}
