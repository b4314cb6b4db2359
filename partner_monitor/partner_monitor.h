// The partner monitor: runs beside the game, reads the marker byte of the partner file every
// 500 ms and answers the game side's requests through the partner and partner name files.
#pragma once

#include "toolkit/toolkit.h"

#include <cstdio>

constexpr const char* Partner_File = "Data Files\\MWSE\\Vorel_Partner.bin";
constexpr const char* Partner_Name_File = "Data Files\\MWSE\\Vorel_Partner_Name.bin";
constexpr const char* OXT_Errors_Log = "Vorel OXT Files\\OXT Errors.txt";
constexpr int Monitor_Pass_Wait = 500;  // milliseconds between two looks at the marker

// The monitor's files: the error log, open for the whole run; the others open only while a
// pass or a request uses them (null, or closed, between them).
struct Monitor_Streams {
    Text_Out errors;
    std::FILE* partner;
    int partner_found;  // 1 when the partner file could be opened at the start; else it never is
};

// Prints the first line and prepares the files: the error log and the name file emptied, the
// partner file kept (created empty when missing), the race lists created when missing.
// Returns 0.
int Start_Partner_Monitor(Monitor_Streams& streams);

// One pass of the loop, without its wait: opens the partner file, reads the marker and answers
// "^" or a ">" request, opening the race lists and the name file for the request, and closes
// them all. Files replaced by rename, or deleted and written again, are thus read as they are
// now. Prints "Unable to open file" when the partner file cannot be opened. Returns 0.
int Run_Monitor_Pass(Monitor_Streams& streams);

// Closes what the monitor holds open between passes. The program itself never stops; tests
// and fuzz targets that start a monitor stop it with this. Returns 0.
int Stop_Partner_Monitor(Monitor_Streams& streams);

// The whole program: the start-up, then a pass every 500 ms for ever.
[[noreturn]] void Run_Partner_Monitor();
