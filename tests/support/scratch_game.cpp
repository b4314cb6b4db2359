// The scratch game folder of the tests.
#include "tests/support/scratch_game.h"

#include "toolkit/toolkit.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

void Scratch_Game::SetUp()
{
    std::string pattern = (fs::temp_directory_path() / "vorel-game-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root = pattern;
    for (const char* folder : {"Saves", "Data Files/Meshes/Vorel", "Data Files/MWSE", "Vorel OXT Files/NPC Lists",
                               "Vorel OXT Files/Mesh Lists"})
        fs::create_directories(Path(folder));
    previous_directory = fs::current_path().string();
    Forget_Unwritten_Files();  // what an earlier test in this process could not write
}

void Scratch_Game::TearDown()
{
    std::error_code ignored;
    fs::current_path(previous_directory, ignored);
    fs::remove_all(root, ignored);
}

void Scratch_Game::Enter() const { fs::current_path(root); }

void Scratch_Game::Write(const std::string& relative_path, const std::string& bytes) const
{
    std::ofstream file(Path(relative_path), std::ios::binary | std::ios::trunc);
    ASSERT_TRUE(file) << "cannot write " << relative_path;
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::optional<std::string> Scratch_Game::Read(const std::string& relative_path) const
{
    std::ifstream file(Path(relative_path), std::ios::binary);
    if (!file) return std::nullopt;
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void Scratch_Game::Write_Data_File_List(const std::vector<std::string>& names) const
{
    std::string list = std::to_string(names.size()) + "\r\n";
    for (const std::string& name : names) list += name + "\r\n";
    Write("Vorel OXT Files/Vorel_Data_File_List.txt", list);
}

void Scratch_Game::Write_Data_Files(const std::vector<std::pair<std::string, std::string>>& files) const
{
    std::vector<std::string> names;
    for (const auto& [name, bytes] : files) {
        names.push_back(name);
        if (!bytes.empty()) Write("Data Files/" + name, bytes);
    }
    Write_Data_File_List(names);
}

bool Scratch_Game::Exists(const std::string& relative_path) const { return fs::exists(Path(relative_path)); }

void Scratch_Game::Remove(const std::string& relative_path) const
{
    std::error_code ignored;
    fs::remove_all(Path(relative_path), ignored);
}

std::string Without_Crlf(const std::string& text)
{
    std::string plain;
    plain.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        plain += text[i];
    }
    return plain;
}
