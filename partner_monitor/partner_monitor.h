// The partner monitor: runs beside the game, reads the marker byte of the partner file every
// 500 ms and answers the game side's requests through the partner and partner name files.
#pragma once

#include "toolkit/toolkit.h"

#include <cstdio>

constexpr const char* Partner_File = "Data Files\\MWSE\\Vorel_Partner.bin";
constexpr const char* Partner_Name_File = "Data Files\\MWSE\\Vorel_Partner_Name.bin";
constexpr const char* OXT_Errors_Log = "Vorel OXT Files\\OXT Errors.txt";
constexpr int Monitor_Pass_Wait = 500;  // milliseconds between two looks at the marker

// The streams the monitor holds open for its whole run; a null file could not be opened.
struct Monitor_Streams {
    Text_Out errors;
    std::FILE* partner;
    int partner_held;  // 1 once the partner file was open: one that could not be, never is
    std::FILE* name;
    Text_In male_races;
    Text_In female_races;
};

// Prints the first line and opens the streams: the error log and the name file emptied, the
// partner file kept (created empty when missing), the race lists for reading. Returns 0.
int Start_Partner_Monitor(Monitor_Streams& streams);

// One pass of the loop, without its wait: reads the marker and answers "^" or a ">" request.
// First opens again the partner file and the race lists when they are not open or their path
// no longer names the file held (replaced by rename, deleted); the name file is then closed
// and opened again, without emptying, for the next answer. Prints "Unable to open file" when
// the partner file is not open. Returns 0.
int Run_Monitor_Pass(Monitor_Streams& streams);

// The whole program: the start-up, then a pass every 500 ms for ever.
[[noreturn]] void Run_Partner_Monitor();
