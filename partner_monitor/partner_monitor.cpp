// The partner exchange: the monitor's start-up, its endless loop of passes and the answers it
// writes. Byte 0 of the partner file is the only coordination with the game side: the monitor
// writes it through at once, and marks a request answered only while the file still holds it.
#include "partner_monitor/partner_monitor.h"

#include "partner_monitor/partner_request.h"
#include "platform/platform.h"

#include <climits>
#include <cstring>
#include <initializer_list>

namespace {

constexpr int Initialise_Marker = '^';
constexpr int Request_Marker = '>';
constexpr int Answered_Marker = '<';

constexpr int ID_Offset = 2;
constexpr int Bytes_Around_ID = 11;  // the marker, the byte after it and the last nine bytes
constexpr int Longest_Request = Bytes_Around_ID + Text_Slot_Chars;  // with an ID of 99 bytes

constexpr const char* Not_Found_Answer = "AN ERROR OCCURRED CHANGING YOUR LOVER - CHOOSE A DIFFERENT NPC";
constexpr const char* Found_Answer = "Your current lover is ";

// What the monitor keeps of the request it serves, however long the partner file: its length
// and its first bytes, which hold every byte the ID is read from. A file with the same length
// and first bytes asks for the same ID.
struct Request_Bytes {
    int length;  // -1 when it cannot be told
    int kept;    // how many of the file's first bytes are in first
    char first[Longest_Request];
};

// Opens the partner file for reading and writing, creating it empty when it is missing in an
// existing folder and never truncating it. Unbuffered, so that every pass reads the file as
// the game side last wrote it and every marker reaches the file as it is written.
std::FILE* Open_Partner_File()
{
    std::FILE* partner = Open_Or_Create(Partner_File, "r+b");
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
    const bool written = std::fputc(marker, partner) != EOF;
    if (!written || std::fflush(partner) != 0) Report_Unwritten_File(Partner_File);
}

// The length of the partner file, or -1 when it cannot be told.
int Partner_Length(std::FILE* partner)
{
    if (std::fseek(partner, 0, SEEK_END) != 0) return -1;
    const long length = std::ftell(partner);
    return length > INT_MAX ? INT_MAX : static_cast<int>(length);
}

// Reads the partner file's length and first bytes as they are now.
void Read_Request_Bytes(std::FILE* partner, Request_Bytes& request)
{
    request.length = Partner_Length(partner);
    Rewind_Partner_File(partner);
    request.kept = static_cast<int>(std::fread(request.first, 1, sizeof request.first, partner));
}

// 1 when both hold the same length and first bytes, else 0.
int Same_Request(const Request_Bytes& a, const Request_Bytes& b)
{
    return a.length == b.length && a.kept == b.kept && std::memcmp(a.first, b.first, static_cast<size_t>(a.kept)) == 0;
}

// The request's ID: the bytes from offset 2 up to the file's last nine, at least one. A
// longer ID is cut at 99 bytes, as every field is; a file that ends before offset 2, or
// before the ID's last byte, gives the bytes that are there (none: an empty ID).
void Request_ID(const Request_Bytes& request, Text_Slot& id)
{
    int count = request.length - Bytes_Around_ID;
    if (count < 1) count = 1;
    if (count > Text_Slot_Chars) count = Text_Slot_Chars;
    std::memset(id, 0, sizeof id);
    for (int taken = 0; taken < count && ID_Offset + taken < request.kept; ++taken)
        id[taken] = request.first[ID_Offset + taken];
}

// Writes the answer and its NUL from offset 0 of the name file, which is never shortened and
// is made again when it has been deleted. An answer that cannot be written is said at every
// request that loses one.
void Write_Answer(int found, const char* full_name)
{
    std::FILE* name_file = Open_Or_Create(Partner_Name_File, "r+b");
    if (name_file == nullptr) {
        Report_Unwritten_File(Partner_Name_File);
        return;
    }
    bool written = true;
    if (found == -1) {
        written = std::fputs(Not_Found_Answer, name_file) >= 0;
    } else {
        written = std::fputs(Found_Answer, name_file) >= 0 && std::fputs(full_name, name_file) >= 0;
    }
    written = std::fputc('\0', name_file) != EOF && written;
    if (Close_Written_File(name_file) != 0 || !written) Report_Unwritten_File(Partner_Name_File);
}

void Answer_Initialisation(Monitor_Streams& streams)
{
    Print_Line("Program initialised...");
    Print_Line();
    Write_Marker(streams.partner, Request_Marker);
    Print_Line("Monitoring Morrowind...");
    Print_Line();
}

// Marks the served request answered, unless the game side has written the partner file since
// the monitor read it: a new request's ">" must stay for the next pass, and "<" beside the
// answer to an older request would hand the game the wrong NPC's name.
void Mark_Answered(std::FILE* partner, const Request_Bytes& served)
{
    Request_Bytes now;
    Read_Request_Bytes(partner, now);
    if (Same_Request(now, served)) Write_Marker(partner, Answered_Marker);
}

// Serves the waiting request; the answer is complete in the name file before "<" appears.
void Serve_Request(Monitor_Streams& streams)
{
    Request_Bytes request;
    Read_Request_Bytes(streams.partner, request);
    Text_Slot id;
    Request_ID(request, id);
    Print_Line("Searching for NPC ID: ", id);
    Text_Slot full_name = {};
    Text_In male_races;
    Text_In female_races;
    Open_Text_In(male_races, Male_Race_List);
    Open_Text_In(female_races, Female_Race_List);
    const int found = Handle_Partner_Request(id, streams.errors, male_races, female_races, full_name);
    Close_Text_In(male_races);
    Close_Text_In(female_races);
    Write_Answer(found, full_name);
    Mark_Answered(streams.partner, request);
    Print_Line("Monitoring Morrowind...");
    Print_Line();
}

}  // namespace

// The monitor holds its files only while a pass uses them. A file held open may be deleted
// by another program, where the system lets it, but on Windows not replaced by a rename over
// it: a game side or a race lister that saves its file anew that way would fail. So every
// pass, and every request, reads the files that the paths name at that moment.
int Start_Partner_Monitor(Monitor_Streams& streams)
{
    Print_Line("Monitoring Morrowind...");
    Remove_Mesh_Set_Leftovers();
    Open_Text_Out(streams.errors, OXT_Errors_Log, 0);
    streams.partner = nullptr;
    std::FILE* partner = Open_Partner_File();
    streams.partner_found = partner != nullptr;
    if (partner != nullptr) std::fclose(partner);
    std::FILE* name = Os_Open_File(Partner_Name_File, "wb");
    if (name == nullptr) Report_Unwritten_File(Partner_Name_File);
    if (name != nullptr) std::fclose(name);
    // Opened at the start as ever, which makes a missing list.
    for (const char* race_list : {Male_Race_List, Female_Race_List}) {
        Text_In races;
        Open_Text_In(races, race_list);
        Close_Text_In(races);
    }
    return 0;
}

int Stop_Partner_Monitor(Monitor_Streams& streams)
{
    Close_Text_Out(streams.errors);
    if (streams.partner != nullptr) std::fclose(streams.partner);
    streams.partner = nullptr;
    return 0;
}

int Run_Monitor_Pass(Monitor_Streams& streams)
{
    streams.partner = streams.partner_found ? Open_Partner_File() : nullptr;
    if (streams.partner == nullptr) {
        Print_Line("Unable to open file");
        return 0;
    }
    Rewind_Partner_File(streams.partner);
    const int marker = std::fgetc(streams.partner);
    if (marker == Initialise_Marker) Answer_Initialisation(streams);
    if (marker == Request_Marker) Serve_Request(streams);
    std::fclose(streams.partner);
    streams.partner = nullptr;
    return 0;
}

void Run_Partner_Monitor()
{
    if (Begin_Run_In_Game_Folder() == -1) Idle_For_Ever();
    Monitor_Streams streams;
    Start_Partner_Monitor(streams);
    for (;;) {
        Os_Sleep(Monitor_Pass_Wait);
        Run_Monitor_Pass(streams);
    }
}
