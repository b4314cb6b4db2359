// A scratch game folder with a helper that puts given bytes into the file buffer, and the
// bytes of the buffer as the toolkit hands them out.
#pragma once

#include "tests/support/scratch_game.h"
#include "toolkit/toolkit.h"

#include <cstdio>
#include <filesystem>
#include <string>

// The whole file buffer, brought in through the toolkit's copy.
inline std::string Buffer_Bytes()
{
    std::string bytes(static_cast<size_t>(File_Length), '\0');
    Copy_Buffer_Range(bytes.data(), 0, File_Length - 1);
    return bytes;
}

class Buffer_Test : public Scratch_Game {
protected:
    void SetUp() override
    {
        Scratch_Game::SetUp();
        Enter();
    }
    // Writes bytes to a file of the game root and loads it. The file is written over in
    // place and then cut to size: the search tests load many thousands of buffers, and a
    // file truncated before it is written is flushed to disk at its close on ext4.
    void Load(const std::string& bytes)
    {
        const std::string path = Path("buffer.bin");
        std::FILE* file = std::fopen(path.c_str(), "r+b");
        if (file == nullptr) file = std::fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr) << "cannot write " << path;
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
        std::filesystem::resize_file(path, bytes.size());
        Load_File_Buffer("buffer.bin");
    }
};
