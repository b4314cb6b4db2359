// The measured run of a program, on the runner the tests share: the clock stops when, after
// its closing line, the program has gone idle, and wait4 and /proc give the process's usage.
#include "bench/program_figures.h"

#include "tools/program_run/program_run.h"

#include <unistd.h>

#include <chrono>
#include <fstream>

namespace bench {

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; }

long long Bytes_Read(pid_t pid)
{
    std::ifstream io("/proc/" + std::to_string(pid) + "/io");
    std::string name;
    long long value = 0;
    while (io >> name >> value)
        if (name == "rchar:") return value;
    return 0;
}

// The lines after the closing line, if any, are printed and the files closed once the program
// sleeps in its idle wait.
void Wait_Until_Idle(pid_t pid, double timeout_seconds)
{
    const Clock::time_point since = Clock::now();
    while (!Is_Sleeping(pid) && std::chrono::duration<double>(Clock::now() - since).count() < timeout_seconds)
        usleep(500);
}

}  // namespace

Program_Figures Run_Until_Closing_Line(const std::string& program, const std::string& closing_line,
                                       double timeout_seconds)
{
    Program_Figures figures = {};
    const Clock::time_point start = Clock::now();
    Program_Process process;
    if (!Start_Command(process, {program}, {})) return figures;
    figures.finished = Wait_For_Console(process, closing_line + "\n", timeout_seconds);
    if (figures.finished) Wait_Until_Idle(process.pid, 10.0);
    figures.wall_seconds = std::chrono::duration<double>(Clock::now() - start).count();
    figures.bytes_read = Bytes_Read(process.pid);
    Drain_Console(process);
    rusage usage = {};
    Stop_Program(process, &usage);
    for (const char c : process.console) figures.console_lines += c == '\n';
    figures.user_seconds = Seconds(usage.ru_utime);
    figures.system_seconds = Seconds(usage.ru_stime);
    figures.peak_kilobytes = usage.ru_maxrss;
    return figures;
}

}  // namespace bench
