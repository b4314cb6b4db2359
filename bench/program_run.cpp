// The measured run of a program: its console goes through a pipe that this process reads;
// the clock stops when, after its closing line, the program has gone idle, and wait4 gives
// the process's own usage.
#include "bench/program_run.h"

#include <chrono>
#include <csignal>
#include <fstream>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace bench {

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(const rusage& usage, bool user)
{
    const timeval& t = user ? usage.ru_utime : usage.ru_stime;
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

pid_t Start(const std::string& program, int& output)
{
    int pipe_ends[2];
    if (pipe(pipe_ends) != 0) return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(pipe_ends[1], STDOUT_FILENO);
        close(pipe_ends[0]);
        close(pipe_ends[1]);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipe_ends[1]);
    output = pipe_ends[0];
    return pid;
}

// True when the console holds the closing line as a whole line; counts the lines read.
bool Has_Closing_Line(const std::string& console, const std::string& closing_line)
{
    const std::string line = "\n" + closing_line + "\n";
    return console.find(line) != std::string::npos || console.rfind(closing_line + "\n", 0) == 0;
}

// True once the process sleeps in its idle wait: the lines after the closing line, if any,
// are printed and its files closed. The sleep is the clock_nanosleep or nanosleep call.
bool Is_Idle(pid_t pid)
{
    std::ifstream state("/proc/" + std::to_string(pid) + "/syscall");
    long number = -1;
    state >> number;
    return number == 230 || number == 35;
}

long long Bytes_Read(pid_t pid)
{
    std::ifstream io("/proc/" + std::to_string(pid) + "/io");
    std::string name;
    long long value = 0;
    while (io >> name >> value)
        if (name == "rchar:") return value;
    return 0;
}

void Wait_Until_Idle(pid_t pid, Clock::time_point since, double timeout_seconds)
{
    while (!Is_Idle(pid) && std::chrono::duration<double>(Clock::now() - since).count() < timeout_seconds) usleep(500);
}

}  // namespace

Program_Figures Run_Until_Closing_Line(const std::string& program, const std::string& closing_line,
                                       double timeout_seconds)
{
    Program_Figures figures = {};
    int output = -1;
    const Clock::time_point start = Clock::now();
    const pid_t pid = Start(program, output);
    if (pid < 0) return figures;
    std::string console;
    char block[65536];
    while (!figures.finished) {
        const double waited = std::chrono::duration<double>(Clock::now() - start).count();
        if (waited > timeout_seconds) break;
        pollfd ready = {output, POLLIN, 0};
        if (poll(&ready, 1, 100) <= 0) continue;
        const ssize_t got = read(output, block, sizeof block);
        if (got <= 0) break;
        // Only the tail can complete the closing line: keep the last lines, count the rest.
        for (ssize_t i = 0; i < got; ++i) figures.console_lines += block[i] == '\n';
        console.append(block, static_cast<size_t>(got));
        figures.finished = Has_Closing_Line(console, closing_line);
        if (console.size() > 4096) console.erase(0, console.size() - 1024);
    }
    if (figures.finished) Wait_Until_Idle(pid, Clock::now(), 10.0);
    figures.wall_seconds = std::chrono::duration<double>(Clock::now() - start).count();
    figures.bytes_read = Bytes_Read(pid);
    kill(pid, SIGKILL);
    int status = 0;
    rusage usage = {};
    wait4(pid, &status, 0, &usage);
    close(output);
    figures.user_seconds = Seconds(usage, true);
    figures.system_seconds = Seconds(usage, false);
    figures.peak_kilobytes = usage.ru_maxrss;
    return figures;
}

}  // namespace bench
