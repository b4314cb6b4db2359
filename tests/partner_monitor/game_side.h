// A stand-in for the game side of the partner exchange: it writes the partner file as the
// game does (marker, one byte, the ID, nine bytes) and reads the monitor's answers, all in
// the "Data Files/MWSE" folder of a game root.
#pragma once

#include <optional>
#include <string>

// Writes the partner file whole: bytes, byte 0 put in last so that the monitor never meets a
// marker before the rest is in place.
void Game_Side_Write(const std::string& game_root, const std::string& bytes);

// Writes a request as the game does: marker, one byte, the ID, nine bytes.
void Game_Side_Request(const std::string& game_root, char marker, const std::string& id);

// How a game side may save a file: in place, as a new file renamed over the old one, or by
// deleting the old one and writing a new one.
enum class Game_Side_Save { In_Place, Renamed_Over, Deleted_First };

// Game_Side_Request, saved the given way.
void Game_Side_Request_Saved(const std::string& game_root, Game_Side_Save save, char marker, const std::string& id);

// Writes bytes whole as a new file beside path and renames it over path.
void Game_Side_Rename_Over(const std::string& path, const std::string& bytes);

// Byte 0 of the partner file, or -1 when it is missing or empty.
int Game_Side_Marker(const std::string& game_root);

// The answer the game reads: the name file up to its first NUL; nothing when it is missing.
std::optional<std::string> Game_Side_Answer(const std::string& game_root);

// Polls every 20 ms until byte 0 of the partner file is "<" (the monitor has answered);
// false on time-out.
bool Game_Side_Wait_For_Answered(const std::string& game_root, double timeout_seconds);
