// The benchmark's measuring tool, run in the benchmark game folder by run_benchmark.sh:
//   vorel-bench run PROGRAM CLOSING_LINE [TIMEOUT]   a program until its closing line
//   vorel-bench floor-all                            one read and pass over every data file
//   vorel-bench floor-save                           the same over the save
//   vorel-bench lookups [SAMPLE]                     the mesh lister's lookups: the toolkit at
//                                                    every filter width, the floors with whole
//                                                    and with stopped reads, and the
//                                                    byte-at-a-time baseline
// Every figure is printed as name=value on one line for the script to read.
#include "bench/baseline_search.h"
#include "bench/floor_pass.h"
#include "bench/lookup_replay.h"
#include "bench/program_figures.h"
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

// What the process has read so far, from files and pipes alike (rchar of /proc/self/io).
long long Bytes_Read_So_Far()
{
    std::FILE* io = std::fopen("/proc/self/io", "r");
    long long value = 0;
    char name[32];
    while (io != nullptr && std::fscanf(io, "%31s %lld", name, &value) == 2)
        if (std::string(name) == "rchar:") break;
    if (io != nullptr) std::fclose(io);
    return value;
}

struct Floor_Run {
    double seconds;
    std::int64_t bytes;
    int mismatches;  // lookups whose answer differs from the toolkit's
};

// Every lookup at the floor, its answer compared with the toolkit's.
Floor_Run Floor_Of_Lookups(Floor_Files& files, const std::vector<Lookup>& lookups, Floor_Reads reads, int width)
{
    Floor_Run run = {0.0, 0, 0};
    const Clock::time_point start = Clock::now();
    for (const Lookup& lookup : lookups) {
        const Floor_Answer answer = Floor_Find_ID(files, lookup.id.c_str(), reads, width);
        run.bytes += answer.bytes_read;
        if (answer.index != lookup.found || (lookup.found != -1 && answer.match_end != lookup.match_end))
            ++run.mismatches;
    }
    run.seconds = Since(start);
    return run;
}

// The toolkit's lookups at one filter width: their time, and the answers when asked for.
double Toolkit_Lookups(std::vector<Lookup>& lookups, int width)
{
    Set_Search_Width(width);
    Run_Toolkit_Lookups(lookups);
    double seconds = 0;
    for (const Lookup& lookup : lookups) seconds += lookup.seconds;
    return seconds;
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

// The toolkit first, at the width the dispatcher picks, with its answers and what it reads;
// then at every other width. The floor's block is taken before the toolkit's first load, so
// that its pages are fresh. The prefix floor is measured at every width this machine has for
// it and the best counts; the whole-file floor at that width.
int Lookups(size_t sample)
{
    const Listed_Files files = Data_Files_Of_List();
    std::vector<Lookup> lookups = Mesh_Lister_Lookups();
    Floor_Files floor = Prepare_Floor(files.disk_paths);
    const int chosen = Set_Search_Width(0);
    const long long read_before = Bytes_Read_So_Far();
    const double toolkit = Toolkit_Lookups(lookups, chosen);
    const long long toolkit_read = Bytes_Read_So_Far() - read_before;
    int misses = 0;
    for (const Lookup& lookup : lookups) misses += lookup.found < 0;
    std::printf("lookups=%zu misses=%d width=%d toolkit_s=%.4f toolkit_read=%lld", lookups.size(), misses, chosen,
                toolkit, toolkit_read);
    for (int width : {16, 32}) {
        if (width == chosen || Set_Search_Width(width) == -1) continue;
        std::vector<Lookup> again = lookups;
        std::printf(" toolkit_%d_s=%.4f", width, Toolkit_Lookups(again, width));
    }
    Set_Search_Width(0);
    Floor_Run prefix = {1e30, 0, 0};
    int floor_width = 0;
    for (int width : {64, 32}) {
        if (width > Floor_Scan_Width()) continue;
        const Floor_Run run = Floor_Of_Lookups(floor, lookups, Floor_Reads::prefix, width);
        std::printf(" prefix_%d_s=%.4f", width, run.seconds);
        if (run.seconds >= prefix.seconds) continue;
        prefix = run;
        floor_width = width;
    }
    const Floor_Run whole = Floor_Of_Lookups(floor, lookups, Floor_Reads::whole, floor_width);
    Release_Floor(floor);
    std::printf(" floor_width=%d prefix_s=%.4f prefix_read=%lld prefix_mismatches=%d whole_s=%.4f whole_read=%lld "
                "whole_mismatches=%d\n",
                floor_width, prefix.seconds, static_cast<long long>(prefix.bytes), prefix.mismatches, whole.seconds,
                static_cast<long long>(whole.bytes), whole.mismatches);
    std::fflush(stdout);
    Baseline_Sample(files, lookups, sample);
    return 0;
}

int Run(int argc, char** argv)
{
    const double timeout = argc > 4 ? std::atof(argv[4]) : 3600.0;
    const Program_Figures figures = Run_Until_Closing_Line(argv[2], argv[3], timeout);
    std::printf("wall_s=%.4f user_s=%.4f sys_s=%.4f peak_kb=%ld read=%lld lines=%ld finished=%d\n",
                figures.wall_seconds, figures.user_seconds, figures.system_seconds, figures.peak_kilobytes,
                figures.bytes_read, figures.console_lines, figures.finished ? 1 : 0);
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
