// The run of a program through fork and exec, its standard output on a pipe read with
// polling reads and time-outs, and its end with SIGKILL and wait4. A start that fails in the
// child is told to the parent through a pipe that the exec closes.
#include "tools/program_run/program_run.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <fstream>

namespace {

constexpr uid_t Bound_User = 65534;  // "nobody"
constexpr gid_t Bound_Group = 65534;

// In the child, on a step that fails: its errno goes to the parent, and the child ends.
[[noreturn]] void Fail_Start(int status_end)
{
    const int error = errno;
    ssize_t ignored = write(status_end, &error, sizeof error);
    static_cast<void>(ignored);
    _exit(127);
}

// In the child, between fork and exec: only calls that are safe there. status_end closes on
// exec, so the parent reads nothing from it when the program has started.
[[noreturn]] void Exec(const std::vector<std::string>& command, const Command_Options& options, int pipe_ends[2],
                       int status_end)
{
    setpgid(0, 0);
    // A test or tool that dies without stopping its program (an abort, a crash) must not leave
    // it running, holding the test runner's output open until its time-out.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (dup2(pipe_ends[1], STDOUT_FILENO) < 0) Fail_Start(status_end);
    close(pipe_ends[0]);
    close(pipe_ends[1]);
    if (options.quiet) {
        const int nowhere = open("/dev/null", O_WRONLY);
        dup2(nowhere, STDERR_FILENO);
    }
    if (chdir(options.folder.c_str()) != 0) Fail_Start(status_end);
    if (options.file_size_limit >= 0) {
        // A write past the limit then fails as on a full disk instead of ending the program.
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit;
        if (getrlimit(RLIMIT_FSIZE, &limit) != 0) Fail_Start(status_end);
        limit.rlim_cur = static_cast<rlim_t>(options.file_size_limit);
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) Fail_Start(status_end);
    }
    if (options.bound_user && geteuid() == 0) {
        if (setgroups(0, nullptr) != 0 || setgid(Bound_Group) != 0 || setuid(Bound_User) != 0) Fail_Start(status_end);
    }
    std::vector<char*> arguments;
    for (const std::string& argument : command) arguments.push_back(const_cast<char*>(argument.c_str()));
    arguments.push_back(nullptr);
    execv(arguments[0], arguments.data());
    Fail_Start(status_end);
}

// The errno that the child sent before it ended, or 0 once the exec has closed the pipe.
int Start_Error(int status_end)
{
    int error = 0;
    ssize_t got = 0;
    do got = read(status_end, &error, sizeof error);
    while (got < 0 && errno == EINTR);
    close(status_end);
    return got == static_cast<ssize_t>(sizeof error) ? error : 0;
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

// The console pipe and the start pipe, both closed on exec in the child; 0 or the errno.
int Open_Pipes(int pipe_ends[2], int status_ends[2])
{
    if (pipe2(pipe_ends, O_CLOEXEC) != 0) return errno;
    if (pipe2(status_ends, O_CLOEXEC) == 0) return 0;
    const int error = errno;
    close(pipe_ends[0]);
    close(pipe_ends[1]);
    return error;
}

}  // namespace

bool Start_Command(Program_Process& process, const std::vector<std::string>& command, const Command_Options& options)
{
    int pipe_ends[2];
    int status_ends[2];
    process.start_error = command.empty() ? EINVAL : Open_Pipes(pipe_ends, status_ends);
    if (process.start_error != 0) return false;
    const pid_t pid = fork();
    if (pid == 0) Exec(command, options, pipe_ends, status_ends[1]);
    process.start_error = pid < 0 ? errno : 0;
    close(pipe_ends[1]);
    close(status_ends[1]);
    if (pid > 0)
        process.start_error = Start_Error(status_ends[0]);
    else
        close(status_ends[0]);
    if (process.start_error != 0) {
        if (pid > 0) waitpid(pid, nullptr, 0);
        close(pipe_ends[0]);
        return false;
    }
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
    // Only what was read since the last look can complete the text: a long console is not
    // searched again from its start for every line that comes.
    size_t from = 0;
    while (process.console.find(text, from) == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0 || process.output < 0) return false;
        pollfd ready{process.output, POLLIN, 0};
        if (poll(&ready, 1, static_cast<int>(left)) <= 0) continue;
        char bytes[65536];
        const ssize_t got = read(process.output, bytes, sizeof bytes);
        if (got <= 0) return false;
        from = process.console.size() >= text.size() ? process.console.size() - text.size() + 1 : 0;
        Append_Output(process, bytes, static_cast<size_t>(got));
    }
    return true;
}

void Drain_Console(Program_Process& process)
{
    pollfd ready{process.output, POLLIN, 0};
    char bytes[65536];
    while (process.output >= 0 && poll(&ready, 1, 0) > 0 && (ready.revents & POLLIN) != 0) {
        const ssize_t got = read(process.output, bytes, sizeof bytes);
        if (got <= 0) break;
        Append_Output(process, bytes, static_cast<size_t>(got));
    }
}

void Stop_Program(Program_Process& process, rusage* usage)
{
    if (process.pid > 0) {
        kill(-process.pid, SIGKILL);
        kill(process.pid, SIGKILL);
        int status = 0;
        rusage counted = {};
        wait4(process.pid, &status, 0, &counted);
        if (usage != nullptr) *usage = counted;
    }
    if (process.output >= 0) close(process.output);
    process.pid = -1;
    process.output = -1;
}

// The process's current system call, from /proc: clock_nanosleep (230) or nanosleep (35).
bool Is_Sleeping(pid_t pid)
{
    std::ifstream state("/proc/" + std::to_string(pid) + "/syscall");
    long number = -1;
    state >> number;
    return number == 230 || number == 35;
}
