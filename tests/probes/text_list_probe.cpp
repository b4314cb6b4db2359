// The list-reading probe: reads "probe_0.txt", "probe_1.txt", ... in its working folder with
// the toolkit's list reader and prints what it read, so that the tests can check the reader
// against the C runtime of every build, the Windows one under Wine among them.
#include "platform/platform.h"
#include "tests/probes/list_walk.h"

#include <cstdio>
#include <string>

int main()
{
    for (int n = 0;; ++n) {
        const std::string name = "probe_" + std::to_string(n) + ".txt";
        if (!Os_File_Exists(name.c_str())) break;
        Text_In in;
        Open_Text_In(in, name.c_str());
        const std::string lines = "list " + name + "\n" + Walk_List(in);
        Close_Text_In(in);
        std::fputs(lines.c_str(), stdout);
        std::fflush(stdout);
    }
    Print_Line("Done!");
    return 0;
}
