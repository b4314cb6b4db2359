// The benchmark's measuring tool, run in the benchmark game folder by run_benchmark.sh:
//   vorel-bench run PROGRAM CLOSING_LINE [TIMEOUT]   a program until its closing line
//   vorel-bench floor-all                            one read and pass over every data file
//   vorel-bench floor-save                           the same over the save
//   vorel-bench lookups [SAMPLE]                     the mesh lister's lookups: toolkit,
//                                                    floor, and the byte-at-a-time baseline
// Every figure is printed as name=value on one line for the script to read.
#include "bench/baseline_search.h"
#include "bench/floor_pass.h"
#include "bench/lookup_replay.h"
#include "bench/program_run.h"
#include "toolkit/toolkit.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace bench;
using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

struct Listed_Files {
    std::vector<std::string> disk_paths;  // "Data Files/..." for the floor
    std::vector<std::string> game_paths;  // "Data Files\..." as the programs spell them
};

// The data files a lookup tries, in list order.
Listed_Files Data_Files_Of_List()
{
    Read_Data_File_List();
    Listed_Files files;
    const int count = Data_File_Count < Max_Data_Files ? Data_File_Count : Max_Data_Files;
    for (int i = 0; i < count; ++i) {
        files.disk_paths.push_back(std::string("Data Files/") + Data_File_Names[i]);
        files.game_paths.push_back(std::string(Data_Files_Folder) + Data_File_Names[i]);
    }
    return files;
}

// One pass over all the files, each read whole and passed over once: the first into the
// fresh block (floor_s, what a program that reads them once needs at least), then the best
// of three more into the block already touched (warm_s).
int Floor_All(const std::vector<std::string>& paths)
{
    Floor_Files files = Prepare_Floor(paths);
    double first = 0, best = 1e30;
    long met = 0;
    std::int64_t bytes = 0, largest = 0;
    for (int round = 0; round < 4; ++round) {
        const Clock::time_point start = Clock::now();
        bytes = 0;
        for (size_t i = 0; i < paths.size(); ++i) met += Floor_Read_And_Pass(files, i, files.sizes[i]);
        const double seconds = Since(start);
        if (round == 0)
            first = seconds;
        else if (seconds < best)
            best = seconds;
    }
    for (std::int64_t size : files.sizes) {
        bytes += size;
        largest = size > largest ? size : largest;
    }
    Release_Floor(files);
    std::printf("files=%zu bytes=%lld largest=%lld floor_s=%.4f warm_s=%.4f needles=%ld\n", paths.size(),
                static_cast<long long>(bytes), static_cast<long long>(largest), first, best, met);
    return 0;
}

double Floor_Of_Lookups(Floor_Files& files, const std::vector<Lookup>& lookups, long& met)
{
    const Clock::time_point start = Clock::now();
    for (const Lookup& lookup : lookups) {
        const size_t last = lookup.found < 0 ? files.paths.size() - 1 : static_cast<size_t>(lookup.found);
        for (size_t i = 0; i <= last && i < files.paths.size(); ++i)
            met += Floor_Read_And_Pass(files, i, i == last && lookup.found >= 0 ? lookup.match_end : files.sizes[i]);
    }
    return Since(start);
}

// The baseline and the toolkit side by side on every k-th lookup, answers compared.
void Baseline_Sample(const Listed_Files& files, const std::vector<Lookup>& lookups, size_t sample)
{
    const size_t step = sample == 0 || sample >= lookups.size() ? 1 : lookups.size() / sample;
    double baseline = 0, toolkit = 0;
    int taken = 0, mismatches = 0;
    for (size_t k = 0; k < lookups.size(); k += step) {
        const Lookup& lookup = lookups[k];
        Clock::time_point start = Clock::now();
        const int found = Find_ID_In_Data_Files(lookup.id.c_str());
        const std::int32_t match_end = Search_Pos;
        toolkit += Since(start);
        start = Clock::now();
        const Lookup_Answer answer = Baseline_Find_ID(files.game_paths, lookup.id.c_str());
        baseline += Since(start);
        if (answer.index != found || (found != -1 && answer.match_end != match_end)) ++mismatches;
        ++taken;
    }
    Free_File_Buffer();
    std::printf("sample=%d baseline_s=%.4f toolkit_s=%.4f mismatches=%d\n", taken, baseline, toolkit, mismatches);
}

int Lookups(size_t sample)
{
    const Listed_Files files = Data_Files_Of_List();
    std::vector<Lookup> lookups = Mesh_Lister_Lookups();
    // The floor's block is taken before the toolkit's first load, so that its pages are fresh.
    Floor_Files floor = Prepare_Floor(files.disk_paths);
    Run_Toolkit_Lookups(lookups);
    double toolkit = 0;
    std::int64_t loaded = 0, scanned = 0;
    int misses = 0;
    for (const Lookup& lookup : lookups) {
        toolkit += lookup.seconds;
        loaded += Bytes_Loaded(lookup, floor.sizes);
        scanned += Bytes_Scanned(lookup, floor.sizes);
        misses += lookup.found < 0;
    }
    long met = 0;
    const double floor_seconds = Floor_Of_Lookups(floor, lookups, met);
    Release_Floor(floor);
    std::printf("lookups=%zu misses=%d loaded=%lld scanned=%lld toolkit_s=%.4f floor_s=%.4f needles=%ld\n",
                lookups.size(), misses, static_cast<long long>(loaded), static_cast<long long>(scanned), toolkit,
                floor_seconds, met);
    std::fflush(stdout);
    Baseline_Sample(files, lookups, sample);
    return 0;
}

int Run(int argc, char** argv)
{
    const double timeout = argc > 4 ? std::atof(argv[4]) : 3600.0;
    const Program_Figures figures = Run_Until_Closing_Line(argv[2], argv[3], timeout);
    std::printf("wall_s=%.4f user_s=%.4f sys_s=%.4f peak_kb=%ld lines=%ld finished=%d\n", figures.wall_seconds,
                figures.user_seconds, figures.system_seconds, figures.peak_kilobytes, figures.console_lines,
                figures.finished ? 1 : 0);
    return figures.finished ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "run" && argc >= 4) return Run(argc, argv);
    if (command == "floor-all") return Floor_All(Data_Files_Of_List().disk_paths);
    if (command == "floor-save") return Floor_All({"Saves/Vorel.ess"});
    if (command == "lookups") return Lookups(argc > 2 ? static_cast<size_t>(std::atoll(argv[2])) : 40);
    std::fprintf(stderr, "usage: vorel-bench run PROGRAM CLOSING_LINE [TIMEOUT] | floor-all | floor-save | "
                         "lookups [SAMPLE (0: all)]\n");
    return 2;
}
