// Writes TES3 bytes by hand: records and subrecords exactly as the game lays them out,
// so that a test fixture or a sample file shows every byte that matters.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tes3 {

// Four bytes, little-endian.
std::string Le32(std::uint32_t value);

// A subrecord: its 4-character tag, the 4-byte size of data, then data.
std::string Subrecord(std::string_view tag, std::string_view data);

// A string subrecord: the value and its terminating NUL.
std::string String_Subrecord(std::string_view tag, std::string_view value);

// A record: its tag, the size of its subrecords, a header word, the flags word, then the
// subrecords as given.
std::string Record(std::string_view tag, std::string_view subrecords, std::uint32_t flags = 0);

// The "BYDT" data of a body part: part number, vampire byte, flags, part type.
std::string Body_Data(int part, int flags, int type);

// A "BODY" record with its ID, mesh, race and body-part data.
std::string Body_Record(std::string_view id, std::string_view mesh, std::string_view race, int part, int flags,
                        int type = 0);

// An "NPC_" record with its ID, full name, race, head, hair and flags (bit 0 female).
std::string Npc_Record(std::string_view id, std::string_view name, std::string_view race, std::string_view head,
                       std::string_view hair, std::uint32_t flags);

// A "TES3" header record naming the given masters, each with its "DATA" size subrecord.
std::string Header_Record(const std::string* masters, int count);

// Writes bytes to path (folders must exist); false when the file cannot be written.
bool Write_File(const std::string& path, std::string_view bytes);

}  // namespace tes3
