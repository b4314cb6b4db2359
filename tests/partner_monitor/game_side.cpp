// The game side's stand-in: plain POSIX writes and reads of the two exchange files.
#include "tests/partner_monitor/game_side.h"

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

std::string Partner_Path(const std::string& game_root) { return game_root + "/Data Files/MWSE/Vorel_Partner.bin"; }

std::string Name_Path(const std::string& game_root) { return game_root + "/Data Files/MWSE/Vorel_Partner_Name.bin"; }

// The byte the partner file holds at 0 while the rest is written: no marker of the exchange.
constexpr char Idle_Byte = '\0';

}  // namespace

void Game_Side_Write(const std::string& game_root, const std::string& bytes)
{
    const int file = open(Partner_Path(game_root).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (file < 0) return;
    std::string body = bytes;
    if (!body.empty()) body[0] = Idle_Byte;
    ssize_t written = write(file, body.data(), body.size());
    if (!bytes.empty() && written == static_cast<ssize_t>(body.size())) written = pwrite(file, bytes.data(), 1, 0);
    (void)written;
    close(file);
}

void Game_Side_Request(const std::string& game_root, char marker, const std::string& id)
{
    Game_Side_Write(game_root, std::string(1, marker) + "x" + id + "123456789");
}

void Game_Side_Request_Saved(const std::string& game_root, Game_Side_Save save, char marker, const std::string& id)
{
    const std::string bytes = std::string(1, marker) + "x" + id + "123456789";
    if (save == Game_Side_Save::Renamed_Over) {
        Game_Side_Rename_Over(Partner_Path(game_root), bytes);
        return;
    }
    if (save == Game_Side_Save::Deleted_First) unlink(Partner_Path(game_root).c_str());
    Game_Side_Write(game_root, bytes);
}

void Game_Side_Rename_Over(const std::string& path, const std::string& bytes)
{
    const std::string beside = path + ".new";
    const int file = open(beside.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (file < 0) return;
    const bool written = write(file, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    close(file);
    if (written) rename(beside.c_str(), path.c_str());
}

int Game_Side_Marker(const std::string& game_root)
{
    std::ifstream file(Partner_Path(game_root), std::ios::binary);
    const int byte = file.get();
    return byte == std::ifstream::traits_type::eof() ? -1 : byte;
}

std::optional<std::string> Game_Side_Answer(const std::string& game_root)
{
    std::ifstream file(Name_Path(game_root), std::ios::binary);
    if (!file) return std::nullopt;
    std::ostringstream bytes;
    bytes << file.rdbuf();
    const std::string all = bytes.str();
    return all.substr(0, all.find('\0'));
}

bool Game_Side_Wait_For_Answered(const std::string& game_root, double timeout_seconds)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::duration<double>(timeout_seconds);
    while (Game_Side_Marker(game_root) != '<') {
        if (Clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}
