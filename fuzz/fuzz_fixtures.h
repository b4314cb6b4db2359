// The small fixed game around a fuzzed input: a master with body parts and an NPC, the
// lists that the earlier programs of the pipeline would have written for it, and a few
// meshes. Shared by the fuzz targets and the tool that writes their seed corpora.
#pragma once

#include <string>
#include <string_view>

// The fuzzed data file is listed first, so a lookup tries it before the fixed master.
constexpr const char* Fuzzed_Data_File = "Fuzz.esp";
constexpr const char* Fixed_Master = "Base.esm";
constexpr const char* Fixed_Head_ID = "b_n_dark elf_m_head_01";
constexpr const char* Fixed_Hair_ID = "b_n_dark elf_m_hair_01";

// Bytes of the fixed master: male and female "Dark Elf" body parts (Neck, Chest, Hands and a
// first-person hand), a head and a hair, and one NPC.
std::string Fixed_Master_Bytes();

// A data file in the sample game's manner: an NPC with every field, body parts of two
// sexes and races, and records that only look like records.
std::string Sample_Plugin_Bytes();

// A save naming the two data files, with the player's record.
std::string Sample_Save_Bytes(int female);

// The lists as the earlier programs write them for the fixed game (CR LF line ends).
std::string Fixture_Data_File_List();       // 2, Fuzz.esp, Base.esm
std::string Fixture_Census_List();          // Fuzz.esp*2, Base.esm*1
std::string Fixture_NPC_List();             // two NPC lines
std::string Fixture_Merged_NPC_List();      // resolved lines, one of them with an unknown race
std::string Fixture_Race_List(int female);  // one "Dark Elf" line

// Writes the fixed master, its data-file list, both race lists, the error-marker mesh and
// the meshes of the fixed head and neck into the current game folder.
void Write_Fixture_Game();

// A fresh fixed game whose first data file, "Data Files\Fuzz.esp", holds the given bytes.
void Reset_Fixture_Game(std::string_view fuzzed_data_file);
