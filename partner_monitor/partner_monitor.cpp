// The partner exchange: the monitor's start-up, its endless loop of passes and the answers it
// writes. Byte 0 of the partner file is the only coordination with the game side, so the
// monitor writes it through at once and never leaves a marker waiting in a stream buffer.
#include "partner_monitor/partner_monitor.h"

#include "partner_monitor/partner_request.h"
#include "platform/platform.h"

#include <climits>
#include <cstring>

namespace {

constexpr int Initialise_Marker = '^';
constexpr int Request_Marker = '>';
constexpr int Answered_Marker = '<';

constexpr long ID_Offset = 2;
constexpr long Bytes_Around_ID = 11;  // the marker, the byte after it and the last nine bytes

constexpr const char* Not_Found_Answer = "AN ERROR OCCURRED CHANGING YOUR LOVER - CHOOSE A DIFFERENT NPC";
constexpr const char* Found_Answer = "Your current lover is ";

// Opens the partner file for reading and writing, creating it empty when it is missing in an
// existing folder and never truncating it. Unbuffered, so that every pass reads the file as
// the game side last wrote it and every marker reaches the file as it is written.
std::FILE* Open_Partner_File()
{
    std::FILE* created = Open_For_Reading(Partner_File);
    if (created == nullptr) return nullptr;
    std::fclose(created);
    std::FILE* partner = Os_Open_File(Partner_File, "r+b");
    if (partner != nullptr) std::setvbuf(partner, nullptr, _IONBF, 0);
    return partner;
}

// Back to byte 0 of the partner file. The flush drops the byte the stream kept from its last
// read: a rewind alone may serve byte 0 again from it though the game side has written the
// file since.
void Rewind_Partner_File(std::FILE* partner)
{
    std::fflush(partner);
    std::rewind(partner);
}

// Puts marker into byte 0 and through to the file at once: a marker left waiting until the
// next pass would overwrite a request that the game side wrote in the meantime.
void Write_Marker(std::FILE* partner, int marker)
{
    Rewind_Partner_File(partner);
    std::fputc(marker, partner);
    std::fflush(partner);
}

// The length of the partner file, or -1 when it cannot be told.
int Partner_Length(std::FILE* partner)
{
    if (std::fseek(partner, 0, SEEK_END) != 0) return -1;
    const long length = std::ftell(partner);
    return length > INT_MAX ? INT_MAX : static_cast<int>(length);
}

// Reads the request's ID: the bytes from offset 2 up to the file's last nine, at least one.
// A longer ID is cut at 99 bytes, as every field is; a file that ends before offset 2, or
// before the ID's last byte, gives the bytes that are there (none: an empty ID).
void Read_Request_ID(std::FILE* partner, Text_Slot& id)
{
    const int length = Partner_Length(partner);
    long count = static_cast<long>(length) - Bytes_Around_ID;
    if (count < 1) count = 1;
    if (count > Text_Slot_Chars) count = Text_Slot_Chars;
    std::memset(id, 0, sizeof id);
    if (std::fseek(partner, ID_Offset, SEEK_SET) != 0) return;
    for (long taken = 0; taken < count; ++taken) {
        const int c = std::fgetc(partner);
        if (c == EOF) break;
        id[taken] = static_cast<char>(c);
    }
}

// Writes the answer and its NUL from offset 0 of the name file, which is never shortened.
void Write_Answer(std::FILE* name_file, int found, const char* full_name)
{
    if (name_file == nullptr) return;
    std::rewind(name_file);
    if (found == -1) {
        std::fputs(Not_Found_Answer, name_file);
    } else {
        std::fputs(Found_Answer, name_file);
        std::fputs(full_name, name_file);
    }
    std::fputc('\0', name_file);
    std::fflush(name_file);
}

void Answer_Initialisation(Monitor_Streams& streams)
{
    Print_Line("Program initialised...");
    Print_Line();
    Write_Marker(streams.partner, Request_Marker);
    Print_Line("Monitoring Morrowind...");
    Print_Line();
}

// Serves the waiting request; the answer is complete in the name file before "<" appears.
void Serve_Request(Monitor_Streams& streams)
{
    Text_Slot id;
    Read_Request_ID(streams.partner, id);
    Print_Line("Searching for NPC ID: ", id);
    Text_Slot full_name = {};
    const int found = Handle_Partner_Request(id, streams.errors, streams.male_races, streams.female_races, full_name);
    Write_Answer(streams.name, found, full_name);
    Write_Marker(streams.partner, Answered_Marker);
    Print_Line("Monitoring Morrowind...");
    Print_Line();
}

}  // namespace

int Start_Partner_Monitor(Monitor_Streams& streams)
{
    Print_Line("Monitoring Morrowind...");
    Open_Text_Out(streams.errors, OXT_Errors_Log, 0);
    streams.partner = Open_Partner_File();
    streams.name = Os_Open_File(Partner_Name_File, "wb");
    Open_Text_In(streams.male_races, Male_Race_List);
    Open_Text_In(streams.female_races, Female_Race_List);
    return 0;
}

int Run_Monitor_Pass(Monitor_Streams& streams)
{
    if (streams.partner == nullptr) {
        Print_Line("Unable to open file");
        return 0;
    }
    Rewind_Partner_File(streams.partner);
    const int marker = std::fgetc(streams.partner);
    if (marker == Initialise_Marker) Answer_Initialisation(streams);
    if (marker == Request_Marker) Serve_Request(streams);
    return 0;
}

void Run_Partner_Monitor()
{
    Monitor_Streams streams;
    Start_Partner_Monitor(streams);
    for (;;) {
        Os_Sleep(Monitor_Pass_Wait);
        Run_Monitor_Pass(streams);
    }
}
