// A scratch game for the partner monitor: source meshes whose bytes name them, race lists
// and a merged NPC list in the formats the listers write, and the 26 files of the mesh set.
#pragma once

#include "tests/support/scratch_game.h"

#include <string>
#include <vector>

// The race-list words of the eleven body parts, in body-part order.
extern const char* const Body_Part_Words[11];

// A merged NPC list line: ID "<" head ">" hair "<" race ">" sex "<" name, CR LF.
std::string NPC_Line(const std::string& id, const std::string& head, const std::string& hair, const std::string& race,
                     const std::string& sex, const std::string& name);

// Merged NPC list lines of NPCs that no request asks for ("filler_0" on), to go ahead of a
// world's own: with the list of a large game, looking a request up takes long enough that the
// game side can write its next request while the monitor still serves one (natively some ms,
// under Wine some tens of ms).
std::string Filler_NPC_Lines(int count);
constexpr int Large_Game_NPCs = 20000;

// The list path of the source mesh "Data Files\Meshes\src\<name>.nif".
std::string Source_Mesh(const std::string& name);

// A race-list line: race "*", then the sources "<prefix><word>" of the eleven parts, each
// followed by "*", CR LF.
std::string Race_Line(const std::string& race, const std::string& prefix);

class Partner_Game : public Scratch_Game {
protected:
    void SetUp() override;

    // Writes a source mesh whose bytes are its own name.
    void Write_Source(const std::string& name) const;
    // Writes the sources of a race line made by Race_Line with prefix.
    void Write_Race_Sources(const std::string& prefix) const;

    // The folder path of one mesh-set file, slot 0 to 12 in set order.
    static std::string Set_Path(bool female, int slot);
    // The contents of the 13 files of one sex, "<missing>" for a missing file.
    std::vector<std::string> Set_Contents(bool female) const;
    // What a request leaves in the set: head, hair, then the eleven parts of prefix.
    static std::vector<std::string> Expected_Set(const std::string& head, const std::string& hair,
                                                 const std::string& prefix);
    // Head and hair changed, the body parts still "old".
    static std::vector<std::string> Head_And_Hair_Only(const std::string& head, const std::string& hair);
    static std::vector<std::string> Untouched_Set();

    // The world of most tests: race lists and their sources, heads and hairs, and a merged
    // list of a male Nord, a female Nord and a male Khajiit whose race is in neither list.
    void Write_World() const;
};

// The console lines of a request.
std::string Found_Lines(const std::string& name, const std::string& head, const std::string& hair,
                        const std::string& race);
std::string Changed_Lines(bool female);
// With unlisted, the list searched lists nothing, and the program that writes it is named.
std::string Race_Missing_Lines(const std::string& race, bool female, bool unlisted = false);
std::string NPC_Missing_Lines(const std::string& id, bool unlisted = false);
// The lines that open a served request and that close every answered pass.
std::string Searching_Lines(const std::string& id);
inline const std::string Monitoring_Lines = "Monitoring Morrowind...\n\n";
// The full name of the world's female Nord, long enough that other answers are shorter.
inline const std::string Lady_Name = "Lady Aldara of the Very Long Name from Ebonheart";

// What a file that is never shortened holds after bytes are written over its start.
std::string Overwritten(std::string file, const std::string& bytes);

// The log entries of a request.
std::string Race_Missing_Entry(const std::string& race, const std::string& name, const std::string& id);
std::string NPC_Missing_Entry(const std::string& id);
