// A game side built like the programs, to save the partner files as a Windows game side does
// while the monitor holds them, natively and as a Windows .exe under Wine: it deletes the name
// file, then saves "probe_request.bin" as the partner file by the way "probe_save.txt" names
// ("rename": a new file renamed over the old one; "delete": the old one deleted first).
#include "toolkit/toolkit.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>
#include <thread>

namespace {

const char* const Partner = "Data Files/MWSE/Vorel_Partner.bin";
const char* const Name = "Data Files/MWSE/Vorel_Partner_Name.bin";

std::string Read_Whole(const char* path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// A file deleted while another program holds it may keep its name until that program lets
// it go: the write is tried again for a few seconds.
bool Write_Whole(const char* path, const std::string& bytes)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::FILE* file = std::fopen(path, "wb");
        if (file != nullptr) {
            const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
            return std::fclose(file) == 0 && written;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

void Say(bool done, const char* what) { Print_Line(done ? "Done: " : "Failed: ", what); }

}  // namespace

int main()
{
    const std::string request = Read_Whole("probe_request.bin");
    const std::string save = Read_Whole("probe_save.txt");
    std::error_code error;
    Say(std::filesystem::remove(Name, error) && !error, "delete the name file");
    if (save == "rename") {
        const char* const beside = "Data Files/MWSE/Vorel_Partner.new";
        Say(Write_Whole(beside, request), "write the new partner file");
        std::filesystem::rename(beside, Partner, error);
        Say(!error, "rename it over the partner file");
        if (error) Print_Line(error.message().c_str());
    } else {
        Say(std::filesystem::remove(Partner, error) && !error, "delete the partner file");
        Say(Write_Whole(Partner, request), "write the partner file again");
    }
    Print_Line("Done!");
    return 0;
}
