// Captures what the code under test prints on the console: while a Console_Capture lives,
// standard output goes to a temporary file, and Text() hands back what was written.
#pragma once

#include <string>

class Console_Capture {
public:
    Console_Capture();
    ~Console_Capture();
    Console_Capture(const Console_Capture&) = delete;
    Console_Capture& operator=(const Console_Capture&) = delete;

    // Ends the capture (once) and returns everything printed since it began.
    std::string Text();

private:
    int saved_output = -1;  // the real standard output, put back at the end
    int capture = -1;       // the temporary file
    std::string text;
};
