// The read-open that creates a missing list or partner file, against a scripted platform
// layer: another process (the game side) may create the file at any moment between its calls.
#include "tests/support/scratch_game.h"
#include "tests/toolkit/read_open/scripted_platform.h"
#include "toolkit/toolkit.h"

#include <cstdio>
#include <string>

using namespace std::string_literals;

namespace {

constexpr const char* Partner_Path = "Data Files\\MWSE\\Vorel_Partner.bin";
const std::string Game_Side_Bytes = "^\0vorel_id\0\0\0\0\0\0\0\0\0"s;

// Everything the stream reads, or nothing when there is no stream; closes it.
std::optional<std::string> Read_All(std::FILE* file)
{
    if (file == nullptr) return std::nullopt;
    std::string bytes;
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) bytes += static_cast<char>(c);
    std::fclose(file);
    return bytes;
}

}  // namespace

class ReadOpen : public Scratch_Game {
protected:
    void SetUp() override
    {
        Scratch_Game::SetUp();
        Enter();
    }
    void TearDown() override
    {
        Platform_Script = nullptr;
        Scratch_Game::TearDown();
    }
    // The game side writes its partner file.
    void Game_Side_Writes() const { Write("Data Files/MWSE/Vorel_Partner.bin", Game_Side_Bytes); }
};

// The file is missing when the open is tried; the game side writes it at one call of the
// read-open. Whenever that happens, the open gives the game side's bytes.
TEST_F(ReadOpen, FileCreatedMeanwhileIsOpenedWithItsBytes)
{
    struct Case {
        const char* call;  // the call before which the file appears
        bool fails;        // that call fails, as the first open of a missing file does
    };
    const Case cases[] = {{"open rb", true}, {"exists", false}, {"open ab", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.call);
        Remove("Data Files/MWSE/Vorel_Partner.bin");
        bool appeared = false;
        Platform_Script = [&](const Platform_Call& call) {
            if (appeared || call.what != c.call) return false;
            appeared = true;
            Game_Side_Writes();
            return c.fails;
        };
        EXPECT_EQ(Read_All(Open_Or_Create(Partner_Path, "rb")), Game_Side_Bytes);
        EXPECT_TRUE(appeared);
        EXPECT_EQ(Read("Data Files/MWSE/Vorel_Partner.bin"), Game_Side_Bytes);
    }
}

TEST_F(ReadOpen, MissingFileIsCreatedEmptyAndOpened)
{
    EXPECT_EQ(Read_All(Open_Or_Create(Partner_Path, "rb")), ""s);
    EXPECT_EQ(Read("Data Files/MWSE/Vorel_Partner.bin"), ""s);
}

// Only a file that is there and still cannot be opened, or a path whose folder is missing,
// gives no stream; neither is created nor changed.
TEST_F(ReadOpen, FileThatCannotBeOpenedGivesNoStream)
{
    Game_Side_Writes();
    Platform_Script = [](const Platform_Call& call) { return call.what == "open rb"; };
    EXPECT_EQ(Read_All(Open_Or_Create(Partner_Path, "rb")), std::nullopt);
    EXPECT_EQ(Read("Data Files/MWSE/Vorel_Partner.bin"), Game_Side_Bytes);

    Platform_Script = nullptr;
    EXPECT_EQ(Read_All(Open_Or_Create("No Folder\\Vorel_Partner.bin", "rb")), std::nullopt);
    EXPECT_FALSE(Exists("No Folder"));
    EXPECT_EQ(Read_All(Open_Or_Create("Data Files\\MWSE", "rb")), std::nullopt);  // a folder
}
