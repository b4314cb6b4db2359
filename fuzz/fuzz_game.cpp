// The scratch game folder of the fuzz targets and the small helpers every target shares.
// Owns the folder's path; resets the toolkit's process-wide state before each input.
#include "fuzz/fuzz_game.h"

#include "platform/platform.h"
#include "toolkit/toolkit.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

std::string Game_Root;

constexpr const char* Game_Folders[] = {"Saves", "Data Files/Meshes/Vorel", "Data Files/MWSE",
                                        "Vorel OXT Files/NPC Lists", "Vorel OXT Files/Mesh Lists"};

// Folders of the system that a path read from a list must not reach: some never end.
constexpr const char* System_Folders[] = {"DEV", "PROC", "SYS"};

char Fold(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool Starts_Without_Case(std::string_view text, size_t at, const char* word)
{
    const size_t length = std::strlen(word);
    if (at + length > text.size()) return false;
    for (size_t i = 0; i < length; ++i)
        if (Fold(text[at + i]) != word[i]) return false;
    return true;
}

// Files come into the buffer a few bytes at a time, so that the readers' matches, values and
// copies stand across block edges, while each block still holds a step of the search's filter.
constexpr std::int32_t Fuzz_Fill_Block = 97;

void Reset_Toolkit_State()
{
    Free_File_Buffer();
    Set_Fill_Block_Size(Fuzz_Fill_Block);
    Search_Pos = 0;
    Field_Start = 0;
    Field_End = 0;
    Data_File_Count = 0;
    std::memset(Data_File_Names, 0, sizeof Data_File_Names);
    std::memset(Data_File_Path, 0, sizeof Data_File_Path);
    std::memset(Scratch_Slots, 0, sizeof Scratch_Slots);
}

}  // namespace

// The sanitizers' settings of every target. A small quarantine of freed blocks still catches
// a use after free within a run, and lets the many file opens of a run reuse memory instead
// of faulting in fresh pages: several times the inputs per second.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=16"; }

void Clear_NPC_Tables()
{
    for (Text_Slot* table :
         {NPC_ID_Table, NPC_Head_Table, NPC_Hair_Table, NPC_Race_Table, NPC_Sex_Table, NPC_Name_Table})
        std::memset(table, 0, sizeof(Text_Slot) * Max_NPC_Rows);
}

void Start_Fuzz_Game()
{
    std::string pattern = (fs::temp_directory_path() / "vorel-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror("mkdtemp");
        std::abort();
    }
    Game_Root = pattern;
    fs::current_path(Game_Root);
    // The workers print a line for every record; the fuzzer needs none of them.
    if (std::freopen("/dev/null", "w", stdout) == nullptr) std::abort();
    std::atexit([] {
        std::error_code ignored;
        fs::remove_all(Game_Root, ignored);
    });
    Reset_Fuzz_Game();
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Start_Fuzz_Game();
    return 0;
}

std::string_view Input_Bytes(const std::uint8_t* data, size_t size)
{
    return std::string_view(reinterpret_cast<const char*>(data), size);
}

void Reset_Fuzz_Game()
{
    std::error_code ignored;
    for (const fs::directory_entry& entry : fs::directory_iterator(Game_Root, ignored))
        fs::remove_all(entry.path(), ignored);
    for (const char* folder : Game_Folders) fs::create_directories(Game_Root + "/" + folder, ignored);
    Reset_Toolkit_State();
}

void Write_Game_File(const std::string& path, std::string_view bytes)
{
    const std::string full = Game_Root + "/" + path;
    std::FILE* file = std::fopen(full.c_str(), "wb");
    if (file == nullptr) {
        std::error_code ignored;
        fs::create_directories(fs::path(full).parent_path(), ignored);
        file = std::fopen(full.c_str(), "wb");
    }
    if (file == nullptr) return;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

std::string Read_Game_File(const std::string& path)
{
    std::string bytes;
    std::FILE* file = std::fopen((Game_Root + "/" + path).c_str(), "rb");
    if (file == nullptr) return bytes;
    char block[4096];
    size_t got = 0;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0) bytes.append(block, got);
    std::fclose(file);
    return bytes;
}

std::vector<std::string> Split_Input(const std::uint8_t* data, size_t size, int count)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> pieces;
    size_t start = 0;
    for (int piece = 0; piece < count - 1; ++piece) {
        const size_t end = start <= input.size() ? input.find(Piece_Separator, start) : std::string_view::npos;
        if (end == std::string_view::npos) break;
        pieces.emplace_back(input.substr(start, end - start));
        start = end + Piece_Separator.size();
    }
    pieces.emplace_back(start <= input.size() ? input.substr(start) : std::string_view());
    while (static_cast<int>(pieces.size()) < count) pieces.emplace_back();
    return pieces;
}

bool Stays_In_Game_Folder(std::string_view text)
{
    if (text.find("..") != std::string_view::npos) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' && text[i] != '/') continue;
        for (const char* folder : System_Folders)
            if (Starts_Without_Case(text, i + 1, folder)) return false;
    }
    return true;
}

int Mesh_Set_Of_One_Sex()
{
    const int male = Os_File_Exists("Data Files\\Meshes\\Vorel\\Vorel_Male1_Head0.NIF");
    const int female = Os_File_Exists("Data Files\\Meshes\\Vorel\\Vorel_Fem1_Head0.NIF");
    return male && female ? 0 : 1;
}

void Fuzz_Check(bool condition, const char* message)
{
    if (condition) return;
    std::fprintf(stderr, "broken promise: %s\n", message);
    std::abort();
}
