// A fresh game root folder for one test: the folders the programs expect, made in a new
// temporary folder that is removed afterwards. Paths given to its helpers use "/".
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

class Scratch_Game : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes bytes to a file below the game root; the folder must exist.
    void Write(const std::string& relative_path, const std::string& bytes) const;
    // The bytes of a file below the game root, or nothing when it does not exist.
    std::optional<std::string> Read(const std::string& relative_path) const;
    bool Exists(const std::string& relative_path) const;
    // Writes "Vorel OXT Files\Vorel_Data_File_List.txt" as the data-file lister does: the
    // count line, then the names in the order given, every line ended by CR LF.
    void Write_Data_File_List(const std::vector<std::string>& names) const;
    // Writes the data files given by name and bytes in "Data Files" (one without bytes is
    // left missing) and the data-file list naming them all, in the order given.
    void Write_Data_Files(const std::vector<std::pair<std::string, std::string>>& files) const;
    void Remove(const std::string& relative_path) const;  // a file or a whole folder
    std::string Path(const std::string& relative_path) const { return root + "/" + relative_path; }

    std::string root;  // absolute, no trailing "/"

    // In-process tests run the workers with the game root as working directory.
    void Enter() const;
    std::string previous_directory;
};

// The text of a CR LF file with each CR LF turned into "\n"; other bytes unchanged.
std::string Without_Crlf(const std::string& text);
