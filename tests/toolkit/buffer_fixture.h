// A scratch game folder with a helper that puts given bytes into the file buffer.
#pragma once

#include "tests/support/scratch_game.h"
#include "toolkit/toolkit.h"

#include <string>

class Buffer_Test : public Scratch_Game {
protected:
    void SetUp() override
    {
        Scratch_Game::SetUp();
        Enter();
    }
    // Writes bytes to a file of the game root and loads it whole.
    void Load(const std::string& bytes)
    {
        Write("buffer.bin", bytes);
        Load_File_Buffer("buffer.bin");
    }
};
