// The TES3 byte builder shared by the sample game folder and the tests.
#include "tools/tes3/tes3_builder.h"

#include <fstream>

namespace tes3 {

std::string Le32(std::uint32_t value)
{
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i) bytes[static_cast<size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFFu);
    return bytes;
}

std::string Subrecord(std::string_view tag, std::string_view data)
{
    std::string bytes(tag.substr(0, 4));
    bytes += Le32(static_cast<std::uint32_t>(data.size()));
    bytes += data;
    return bytes;
}

std::string String_Subrecord(std::string_view tag, std::string_view value)
{
    std::string data(value);
    data += '\0';
    return Subrecord(tag, data);
}

std::string Record(std::string_view tag, std::string_view subrecords, std::uint32_t flags)
{
    std::string bytes(tag.substr(0, 4));
    bytes += Le32(static_cast<std::uint32_t>(subrecords.size()));
    bytes += Le32(0);
    bytes += Le32(flags);
    bytes += subrecords;
    return bytes;
}

std::string Body_Data(int part, int flags, int type)
{
    std::string data(4, '\0');
    data[0] = static_cast<char>(part);
    data[2] = static_cast<char>(flags);
    data[3] = static_cast<char>(type);
    return data;
}

std::string Body_Record(std::string_view id, std::string_view mesh, std::string_view race, int part, int flags,
                        int type)
{
    return Record("BODY", String_Subrecord("NAME", id) + String_Subrecord("MODL", mesh) +
                              String_Subrecord("FNAM", race) + Subrecord("BYDT", Body_Data(part, flags, type)));
}

std::string Npc_Record(std::string_view id, std::string_view name, std::string_view race, std::string_view head,
                       std::string_view hair, std::uint32_t flags)
{
    std::string npdt(52, '\0');
    return Record("NPC_", String_Subrecord("NAME", id) + String_Subrecord("FNAM", name) +
                              String_Subrecord("RNAM", race) + String_Subrecord("CNAM", "Commoner") +
                              String_Subrecord("ANAM", "") + String_Subrecord("BNAM", head) +
                              String_Subrecord("KNAM", hair) + Subrecord("NPDT", npdt) +
                              Subrecord("FLAG", Le32(flags)));
}

std::string Header_Record(const std::string* masters, int count)
{
    std::string hedr(300, '\0');
    hedr[0] = 0x66;
    hedr[1] = 0x66;
    hedr[2] = static_cast<char>(0xA6);
    hedr[3] = 0x3F;  // version 1.3
    std::string subrecords = Subrecord("HEDR", hedr);
    for (int i = 0; i < count; ++i) {
        subrecords += String_Subrecord("MAST", masters[i]);
        subrecords += Subrecord("DATA", Le32(1000u * static_cast<std::uint32_t>(i + 1)) + Le32(0));
    }
    return Record("TES3", subrecords);
}

bool Write_File(const std::string& path, std::string_view bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

}  // namespace tes3
