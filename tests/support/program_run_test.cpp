// The runner's start: a program that cannot be started is said as such at once, with the
// reason, and never left to look like a program that does not print its closing line.
#include "tools/program_run/program_run.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

struct Failed_Start {
    const char* what;
    std::string program;  // below the test's folder
    std::string folder;   // the working directory, below the test's folder
    int error;
};

class ProgramStart : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "vorel-start-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        top = pattern;
        std::ofstream(top + "/not-executable") << "#!/bin/sh\necho never\n";
        chmod((top + "/not-executable").c_str(), 0644);
    }
    void TearDown() override { fs::remove_all(top); }
    std::string top;
};

TEST_F(ProgramStart, AProgramThatCannotBeStartedIsSaidAtOnce)
{
    const Failed_Start cases[] = {
        {"missing program", "/missing", "", ENOENT},
        {"no permission to run", "/not-executable", "", EACCES},
        {"missing working directory", "/not-executable", "/missing", ENOENT},
    };
    for (const Failed_Start& c : cases) {
        SCOPED_TRACE(c.what);
        Program_Process process;
        Command_Options options;
        options.folder = top + c.folder;
        EXPECT_FALSE(Start_Command(process, {top + c.program}, options));
        EXPECT_EQ(process.start_error, c.error);
        EXPECT_EQ(process.pid, -1);
        EXPECT_EQ(process.output, -1);
    }
}

TEST_F(ProgramStart, AStartedProgramIsReadUntilItsLine)
{
    Program_Process process;
    Command_Options options;
    options.folder = top;
    ASSERT_TRUE(Start_Command(process, {"/bin/sh", "-c", "pwd; echo closing; exec sleep 30"}, options));
    EXPECT_EQ(process.start_error, 0);
    EXPECT_TRUE(Wait_For_Console(process, "closing\n", 10.0));
    Stop_Program(process);
    EXPECT_EQ(process.console, fs::canonical(top).string() + "\nclosing\n");
}

}  // namespace
