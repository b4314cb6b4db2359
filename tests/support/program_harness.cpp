// The process harness: fork and exec of the program (or of the Wine loader with the .exe),
// its standard output on a pipe, and polling reads with time-outs.
#include "tests/support/program_harness.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
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

void Append_Output(Program_Process& process, const char* bytes, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        const char c = bytes[i];
        if (process.pending_cr && c != '\n') process.console += '\r';
        process.pending_cr = c == '\r';
        if (!process.pending_cr) process.console += c;
    }
}

}  // namespace

bool Running_Under_Wine() { return Launcher() == "wine"; }

double Program_Timeout() { return Running_Under_Wine() ? 90.0 : 30.0; }

bool Start_Program(Program_Process& process, const std::string& program, const std::string& game_root)
{
    int pipe_ends[2];
    if (pipe(pipe_ends) != 0) return false;
    const std::string path = Program_Path(program);
    const std::string loader = Environment("VOREL_WINE_LOADER", "/usr/lib/wine/wine64");
    const pid_t pid = fork();
    if (pid < 0) return false;
    if (pid == 0) {
        setpgid(0, 0);
        dup2(pipe_ends[1], STDOUT_FILENO);
        close(pipe_ends[0]);
        close(pipe_ends[1]);
        if (chdir(game_root.c_str()) != 0) _exit(127);
        if (Running_Under_Wine()) {
            const int quiet = open("/dev/null", O_WRONLY);
            dup2(quiet, STDERR_FILENO);
            setenv("WINEDEBUG", "-all", 1);
            execl(loader.c_str(), loader.c_str(), path.c_str(), static_cast<char*>(nullptr));
        } else {
            execl(path.c_str(), path.c_str(), static_cast<char*>(nullptr));
        }
        _exit(127);
    }
    close(pipe_ends[1]);
    process.pid = pid;
    process.output = pipe_ends[0];
    process.console.clear();
    process.pending_cr = false;
    return true;
}

bool Wait_For_Console(Program_Process& process, const std::string& text, double timeout_seconds)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::duration<double>(timeout_seconds);
    while (process.console.find(text) == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0 || process.output < 0) return false;
        pollfd ready{process.output, POLLIN, 0};
        if (poll(&ready, 1, static_cast<int>(left)) <= 0) continue;
        char bytes[4096];
        const ssize_t got = read(process.output, bytes, sizeof bytes);
        if (got <= 0) return process.console.find(text) != std::string::npos;
        Append_Output(process, bytes, static_cast<size_t>(got));
    }
    return true;
}

void Stop_Program(Program_Process& process)
{
    if (process.pid > 0) {
        kill(-process.pid, SIGKILL);
        kill(process.pid, SIGKILL);
        int status = 0;
        waitpid(process.pid, &status, 0);
    }
    if (process.output >= 0) close(process.output);
    process.pid = -1;
    process.output = -1;
}

std::string Run_Program(const std::string& program, const std::string& game_root, const std::string& closing_line)
{
    Program_Process process;
    if (!Start_Program(process, program, game_root)) return "<<could not start>>";
    const bool closed = Wait_For_Console(process, closing_line + "\n", Program_Timeout());
    Stop_Program(process);
    return closed ? process.console : process.console + "<<timed out>>";
}
