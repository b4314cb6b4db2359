// Runs one of the programs as the user does, until its closing line, and measures it: the
// programs never exit by themselves, so the run ends once the closing line is on the console
// and the program idles.
#pragma once

#include <string>

namespace bench {

struct Program_Figures {
    double wall_seconds;  // from the start of the process until it idles after its closing line
    double user_seconds;
    double system_seconds;
    long peak_kilobytes;  // the largest resident set of the process
    long console_lines;
    long long bytes_read;  // what the process read by the time it idled (rchar of /proc/PID/io)
    bool finished;         // false when the closing line did not come in time
};

// Starts program in the working directory, reads its console until closing_line stands on it
// (or timeout_seconds pass) and the program idles, then ends it and collects its figures.
Program_Figures Run_Until_Closing_Line(const std::string& program, const std::string& closing_line,
                                       double timeout_seconds);

}  // namespace bench
