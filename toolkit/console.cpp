// The console: every message is one line, ended and flushed at once, on standard output.
#include "toolkit/toolkit.h"

int Print_Line(const char* first, const char* second, const char* third)
{
    std::fputs(first, stdout);
    std::fputs(second, stdout);
    std::fputs(third, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
    return 0;
}
