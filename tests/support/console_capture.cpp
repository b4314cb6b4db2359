// The console capture of the tests: standard output redirected at the descriptor, so that
// everything the programs' code prints through stdio lands in a temporary file.
#include "tests/support/console_capture.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

Console_Capture::Console_Capture()
{
    std::fflush(stdout);
    std::string pattern = (std::filesystem::temp_directory_path() / "vorel-console-XXXXXX").string();
    capture = mkstemp(pattern.data());
    if (capture < 0) return;
    unlink(pattern.c_str());
    saved_output = dup(STDOUT_FILENO);
    dup2(capture, STDOUT_FILENO);
}

Console_Capture::~Console_Capture() { Text(); }

std::string Console_Capture::Text()
{
    if (capture < 0) return text;
    std::fflush(stdout);
    dup2(saved_output, STDOUT_FILENO);
    close(saved_output);
    lseek(capture, 0, SEEK_SET);
    char bytes[4096];
    ssize_t got = 0;
    while ((got = read(capture, bytes, sizeof bytes)) > 0) text.append(bytes, static_cast<size_t>(got));
    close(capture);
    capture = -1;
    return text;
}
