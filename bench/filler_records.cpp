// Filler records shaped like a master's: their subrecord tags, sizes and kinds of bytes
// follow the game's layout closely enough for the searches to meet the same mix of text,
// binary data, NUL bytes and look-alike tags as in a real data file.
#include "bench/filler_records.h"

#include "tools/tes3/tes3_builder.h"

namespace bench {

namespace {

// Bytes that vary little around a middle value, as height maps, normals and colours do.
std::string Smooth_Bytes(Random& random, int count, int middle, int spread)
{
    std::string bytes(static_cast<size_t>(count), '\0');
    int value = middle;
    for (int i = 0; i < count; ++i) {
        value += Between(random, -spread, spread);
        if (value < middle - 3 * spread || value > middle + 3 * spread) value = middle;
        bytes[static_cast<size_t>(i)] = static_cast<char>(value & 0xFF);
    }
    return bytes;
}

std::string Random_Bytes(Random& random, int count)
{
    std::string bytes(static_cast<size_t>(count), '\0');
    for (int i = 0; i < count; i += 8) {
        const std::uint64_t bits = Next_Bits(random);
        for (int k = 0; k < 8 && i + k < count; ++k)
            bytes[static_cast<size_t>(i + k)] = static_cast<char>((bits >> (8 * k)) & 0xFF);
    }
    return bytes;
}

// An object ID as the editor names them, e.g. "flora_bc_tree_02" or "in_hlaalu_wall_14".
std::string Object_ID(Random& random)
{
    return Word(random) + "_" + Word(random) + "_" + std::to_string(Between(random, 1, 40));
}

std::string Land_Record(Random& random)
{
    std::string subrecords =
        tes3::Subrecord("INTV", tes3::Le32(static_cast<std::uint32_t>(Between(random, 0, 60))) +
                                    tes3::Le32(static_cast<std::uint32_t>(Between(random, 0, 60))));
    subrecords += tes3::Subrecord("DATA", tes3::Le32(9));
    subrecords += tes3::Subrecord("VNML", Smooth_Bytes(random, 12675, 0x10, 3));
    subrecords += tes3::Subrecord("VHGT", Smooth_Bytes(random, 4232, 0, 2));
    subrecords += tes3::Subrecord("WNAM", Smooth_Bytes(random, 81, 0x40, 4));
    subrecords += tes3::Subrecord("VCLR", Smooth_Bytes(random, 12675, 0xC0, 5));
    subrecords += tes3::Subrecord("VTEX", Random_Bytes(random, 512));
    return tes3::Record("LAND", subrecords);
}

std::string Cell_Record(Random& random)
{
    std::string subrecords = tes3::String_Subrecord("NAME", Word(random) + ", " + Word(random));
    subrecords += tes3::Subrecord("DATA", Random_Bytes(random, 12));
    subrecords += tes3::String_Subrecord("RGNN", Word(random) + " region");
    const int references = Between(random, 20, 200);
    for (int i = 0; i < references; ++i) {
        subrecords += tes3::Subrecord("FRMR", tes3::Le32(static_cast<std::uint32_t>(i + 1)));
        subrecords += tes3::String_Subrecord("NAME", Object_ID(random));
        if (Chance(random, 30)) subrecords += tes3::Subrecord("XSCL", Random_Bytes(random, 4));
        subrecords += tes3::Subrecord("DATA", Random_Bytes(random, 24));
    }
    return tes3::Record("CELL", subrecords);
}

std::string Script_Record(Random& random)
{
    std::string header = Object_ID(random);
    header.resize(32, '\0');
    header += Random_Bytes(random, 20);
    std::string subrecords = tes3::Subrecord("SCHD", header);
    subrecords += tes3::Subrecord("SCVR", Word(random) + '\0' + Word(random) + '\0');
    subrecords += tes3::Subrecord("SCDT", Random_Bytes(random, Between(random, 50, 3000)));
    std::string text = "Begin " + Object_ID(random) + "\r\n";
    const int lines = Between(random, 5, 120);
    for (int i = 0; i < lines; ++i)
        text += "\tif ( GetJournalIndex \"" + Word(random) + "_" + Word(random) +
                "\" >= " + std::to_string(Between(random, 1, 100)) + " )\r\n\t\t" +
                Prose(random, Between(random, 10, 60)) + "\r\n\tendif\r\n";
    subrecords += tes3::Subrecord("SCTX", text + "End\r\n");
    return tes3::Record("SCPT", subrecords);
}

std::string Dialogue_Record(Random& random)
{
    if (Chance(random, 10))
        return tes3::Record("DIAL", tes3::String_Subrecord("NAME", Word(random)) +
                                        tes3::Subrecord("DATA", std::string(1, '\0')));
    std::string subrecords = tes3::String_Subrecord("INAM", std::to_string(Next_Bits(random)));
    subrecords += tes3::String_Subrecord("PNAM", std::to_string(Next_Bits(random)));
    subrecords += tes3::String_Subrecord("NNAM", "");
    subrecords += tes3::Subrecord("DATA", Random_Bytes(random, 12));
    if (Chance(random, 40)) subrecords += tes3::String_Subrecord("ONAM", Object_ID(random));
    subrecords += tes3::String_Subrecord("NAME", Prose(random, Between(random, 20, 600)));
    if (Chance(random, 30)) subrecords += tes3::String_Subrecord("BNAM", "Journal " + Word(random) + " 10");
    return tes3::Record("INFO", subrecords);
}

std::string Book_Record(Random& random)
{
    std::string subrecords = tes3::String_Subrecord("NAME", "bk_" + Word(random) + "_" + Word(random));
    subrecords += tes3::String_Subrecord("MODL", "m\\Text_Octavo_0" + std::to_string(Between(random, 1, 8)) + ".nif");
    subrecords += tes3::String_Subrecord("FNAM", Prose(random, Between(random, 8, 30)));
    subrecords += tes3::Subrecord("BKDT", Random_Bytes(random, 20));
    subrecords += tes3::String_Subrecord("ITEX", "m\\Tx_octavo_0" + std::to_string(Between(random, 1, 8)) + ".tga");
    subrecords += tes3::String_Subrecord("TEXT", "<DIV ALIGN=\"LEFT\"><FONT COLOR=\"000000\" SIZE=\"3\" FACE=\"Magic "
                                                 "Cards\"><BR>" +
                                                     Prose(random, Between(random, 500, 9000)) + "<BR>");
    return tes3::Record("BOOK", subrecords);
}

std::string Item_Record(Random& random)
{
    static constexpr const char* Item_Tags[] = {"MISC", "WEAP", "ARMO", "CLOT", "ALCH", "INGR", "LIGH", "STAT"};
    const std::string tag = Item_Tags[Below(random, 8)];
    const std::string id = Object_ID(random);
    std::string subrecords = tes3::String_Subrecord("NAME", id);
    subrecords += tes3::String_Subrecord("MODL", "m\\" + id + ".nif");
    if (tag != "STAT") {
        subrecords += tes3::String_Subrecord("FNAM", Word(random) + " " + Word(random));
        subrecords += tes3::Subrecord("DATA", Random_Bytes(random, Between(random, 12, 32)));
        subrecords += tes3::String_Subrecord("ITEX", "m\\tx_" + id + ".tga");
    }
    if (Chance(random, 20)) subrecords += tes3::String_Subrecord("SCRI", Object_ID(random));
    return tes3::Record(tag, subrecords);
}

std::string Filler_Record(Random& random, const Filler_Mix& mix)
{
    int roll = Below(random, 100);
    if ((roll -= mix.land) < 0) return Land_Record(random);
    if ((roll -= mix.cells) < 0) return Cell_Record(random);
    if ((roll -= mix.scripts) < 0) return Script_Record(random);
    if ((roll -= mix.dialogue) < 0) return Chance(random, 15) ? Book_Record(random) : Dialogue_Record(random);
    return Item_Record(random);
}

}  // namespace

void Append_Filler(Random& random, std::string& file, std::size_t size, const Filler_Mix& mix)
{
    while (file.size() < size) file += Filler_Record(random, mix);
}

}  // namespace bench
