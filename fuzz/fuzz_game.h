// The scratch game folder of the fuzz targets: one per process, made at start and entered
// as the working directory, emptied and laid out anew before each input, with the console
// sent to /dev/null and the toolkit's process-wide state put back as at process start.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Makes the scratch game folder (below TMPDIR), enters it and silences the console. Every
// target's LLVMFuzzerInitialize, which this library defines, calls it once.
void Start_Fuzz_Game();

// The fuzzer's bytes as text.
std::string_view Input_Bytes(const std::uint8_t* data, size_t size);

// Empties the folder, lays out "Saves", "Data Files\Meshes\Vorel", "Data Files\MWSE",
// "Vorel OXT Files\NPC Lists" and "Vorel OXT Files\Mesh Lists" again, and resets the
// toolkit's state (buffer released, cursor and last value 0, name table and scratch slots
// zero). The NPC field tables are left as they are: clearing them costs more than most runs.
void Reset_Fuzz_Game();

// Zeroes the NPC field tables, for targets whose run reads rows that no list filled.
void Clear_NPC_Tables();

// Writes bytes to a file below the game folder, making its folders; the path uses "/".
void Write_Game_File(const std::string& path, std::string_view bytes);

// The bytes of a file below the game folder; empty when it is missing.
std::string Read_Game_File(const std::string& path);

// The pieces of an input cut at every Piece_Separator, exactly count of them: missing
// pieces are empty, and the last piece takes the rest, separators included.
constexpr std::string_view Piece_Separator = "\n~~\n";
std::vector<std::string> Split_Input(const std::uint8_t* data, size_t size, int count);

// False when text could name a file outside the game folder once the programs turn it into
// a path: a ".." component, or a folder of the system such as "\dev" or "\proc" that a read
// would never finish. Targets whose inputs become paths pass over such inputs.
bool Stays_In_Game_Folder(std::string_view text);

// 1 when the files of the mesh set in the game folder belong to one sex at most.
int Mesh_Set_Of_One_Sex();

// Aborts with the message when the condition does not hold: a promise of the programs that
// bad input must not break, found broken.
void Fuzz_Check(bool condition, const char* message);
