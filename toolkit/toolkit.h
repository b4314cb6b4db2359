// The shared data-file toolkit, linked into every program: the process-wide file buffer
// and its searches, subrecord values and the record test, text lists and the console, the
// formats of the lists that pass between the programs, the data-file and NPC lists, the
// body-part lookup, the mesh copy and the mesh set.
#pragma once

#include "platform/letter_case.h"

#include <cstdint>
#include <cstdio>

// ---------------------------------------------- limits and types (this header)

constexpr int Text_Slot_Size = 100;  // a slot holds at most 99 characters and a NUL
constexpr int Text_Slot_Chars = Text_Slot_Size - 1;
// The longest data-file name that the data-file list takes. A reader takes at most 99
// characters a line and consumes the line end only within them, so a name of 99 characters
// would read back as that name and an empty line.
constexpr int Longest_Data_File_Name = Text_Slot_Chars - 1;
constexpr int Path_Slot_Size = 160;  // paths built from a data-file name of up to Longest_Data_File_Name
constexpr int Max_Data_Files = 275;
constexpr int Max_NPC_Rows = 4000;
constexpr int Max_Races = 300;  // rows of one sex's race list
constexpr int Scratch_Slot_Count = 5;

// The body parts that the lists carry, by their "BYDT" part numbers: Neck to Upperleg, in
// that order. Head (0) and hair (1) come from an NPC's own "BNAM" and "KNAM".
constexpr int First_Listed_Part = 2;  // Neck
constexpr int Groin_Part = 4;
constexpr int Hands_Part = 5;
constexpr int Last_Listed_Part = 12;  // Upperleg
constexpr int Body_Part_Count = Last_Listed_Part - First_Listed_Part + 1;

// Slots of a race row: the race name, then the listed parts in "BYDT" order.
constexpr int Race_Name_Slot = 0;
constexpr int Race_Row_Slot(int part) { return Race_Name_Slot + 1 + part - First_Listed_Part; }
constexpr int Race_Row_Slots = Race_Row_Slot(Last_Listed_Part) + 1;

// Slots of a mesh-set table, in set order: head, hair, then the listed parts in "BYDT" order.
constexpr int Mesh_Set_Head = 0;
constexpr int Mesh_Set_Hair = 1;
constexpr int Mesh_Set_First_Body_Part = Mesh_Set_Hair + 1;
constexpr int Mesh_Set_Size = Mesh_Set_First_Body_Part + Body_Part_Count;
constexpr int Mesh_Set_Slot(int part) { return Mesh_Set_First_Body_Part + part - First_Listed_Part; }

using Text_Slot = char[Text_Slot_Size];
using Path_Slot = char[Path_Slot_Size];
using Mesh_Set_Table = Text_Slot[Mesh_Set_Size];
using Race_Row = Text_Slot[Race_Row_Slots];

// ---------------------------------------------- files the programs share (this header)

constexpr const char* Save_Path = "Saves\\Vorel.ess";
constexpr const char* Data_File_List = "Vorel OXT Files\\Vorel_Data_File_List.txt";
constexpr const char* Census_List = "Vorel OXT Files\\Vorel_Data_File_Census_List.txt";
constexpr const char* NPC_Lists_Folder = "Vorel OXT Files\\NPC Lists\\";
constexpr const char* Mesh_Lists_Folder = "Vorel OXT Files\\Mesh Lists\\";
constexpr const char* Merged_NPC_List = "Vorel_NPC_List.txt";
constexpr const char* Male_Race_List = "Vorel_MRace_List.txt";
constexpr const char* Female_Race_List = "Vorel_FRace_List.txt";
constexpr const char* Data_Files_Folder = "Data Files\\";
constexpr const char* Meshes_Folder = "Data Files\\Meshes\\";

// The error logs: the copy log of every mesh copy, and the mesh and race listers' own.
constexpr const char* Copy_Errors_Log = "Vorel OXT Files\\Copy Errors.txt";
constexpr const char* NPC_Errors_Log = "Vorel OXT Files\\NPC Errors.txt";
constexpr const char* Race_Errors_Log = "Vorel OXT Files\\Race Errors.txt";

// ---------------------------------------------- process-wide state (state.cpp)

extern std::int32_t File_Length;  // the size of the last-loaded file; its bytes are read only through the buffer
extern std::int32_t Search_Pos;   // just after the last match, -1 after a failed search
extern std::int32_t Field_Start;  // first byte of the last located subrecord value
extern std::int32_t Field_End;    // last byte of that value, inclusive

extern Text_Slot Data_File_Names[Max_Data_Files];
extern std::int32_t Data_File_Count;
extern Path_Slot Data_File_Path;  // "Data Files\" and the name of the data file being loaded

extern Text_Slot NPC_ID_Table[Max_NPC_Rows];
extern Text_Slot NPC_Head_Table[Max_NPC_Rows];
extern Text_Slot NPC_Hair_Table[Max_NPC_Rows];
extern Text_Slot NPC_Race_Table[Max_NPC_Rows];
extern Text_Slot NPC_Sex_Table[Max_NPC_Rows];
extern Text_Slot NPC_Name_Table[Max_NPC_Rows];

extern Text_Slot Scratch_Slots[Scratch_Slot_Count];  // the workers' own slots

// ---------------------------------------------- slots (slots.cpp)

// Joins the pieces into out, a buffer of size bytes: at most size - 1 characters, always
// terminated. Returns 0, or -1 when they did not fit and out holds them cut. No piece may
// lie in out.
int Join_Text(char* out, int size, const char* first, const char* second = "", const char* third = "");

// Copies text into slot, cut at 99 characters, always terminated. Returns 0, or -1 when cut.
int Copy_To_Slot(Text_Slot& slot, const char* text);

// Letter case is folded by Fold_Letter, which the platform layer owns (platform/letter_case.h).

// ---------------------------------------------- buffer and search (file_buffer.cpp, text_search.cpp)

// The largest file a load takes. Every position in the buffer and the few hundred bytes that
// any search, value, record test or scan looks past one must fit a signed 32-bit position.
constexpr std::int32_t Position_Headroom = 4096;
constexpr std::int32_t Largest_File_Length = INT32_MAX - Position_Headroom;

// Replaces the buffer with the file at path (a missing file gives an empty buffer and is
// not created): File_Length is its size, and its bytes come in, a block at a time, as far as a
// search, a byte read or a copy reaches. The file stays open, shared, while it has bytes left
// to give, until the next load or Free_File_Buffer. A file that cannot be opened leaves an
// empty buffer; one that shrinks while it is read ends where its bytes ended. A file larger
// than Largest_File_Length leaves an empty buffer too, and is said on the console, once a run:
// "Error! File too large to read: " and path. Does not touch Search_Pos.
int Load_File_Buffer(const char* path);

// Releases the buffer and closes its file; File_Length becomes 0.
int Free_File_Buffer();

// 1 when the buffer holds no memory and no open file (at process start and after
// Free_File_Buffer), else 0.
int Is_File_Buffer_Free();

// How many bytes a load brings in at a time: 256 KiB, or bytes when it is above 0. Tests and
// fuzz targets make it a few bytes, so that matches, values and copies cross block edges.
int Set_Fill_Block_Size(std::int32_t bytes);

// The vector width of the searches' candidate filter in bytes: 1 (a byte at a time), 16
// (SSE2) or 32 (AVX2), or 0 for the widest this processor has, which is what every search
// uses until this is called. Answers the width now in use, or -1 when the processor lacks
// the width asked for (the width is then left as it was).
int Set_Search_Width(int bytes);

// The byte at pos, or -1 when pos lies outside the buffer.
int Buffer_Byte(std::int32_t pos);

// The position just after the first exact match of text that begins at from + 1 or later
// and lies wholly inside the buffer, or -1. An empty text matches the next byte 0 and
// answers that byte's own position.
std::int32_t Find_Text(const char* text, std::int32_t from);

// As Find_Text, but only a result less than from + window counts: -1 when the first match
// ends further on. The search looks no further than the window.
std::int32_t Find_Text_Within(const char* text, std::int32_t from, std::int32_t window);

// As Find_Text, with 'a' to 'z' folded onto 'A' to 'Z' on both sides; other bytes unchanged.
std::int32_t Find_Text_No_Case(const char* text, std::int32_t from);

// The first position at or after pos whose byte is not 0 (Skip_Nuls) or is 0 (Skip_To_Nul);
// File_Length when the buffer ends first, and pos itself when pos lies outside the buffer.
std::int32_t Skip_Nuls(std::int32_t pos);
std::int32_t Skip_To_Nul(std::int32_t pos);

// Writes bytes first to last of the buffer, inclusive, to dst; no terminator. Positions
// outside the buffer are not copied.
int Copy_Buffer_Range(char* dst, std::int32_t first, std::int32_t last);

// ---------------------------------------------- records and values (records.cpp)

// A record is its tag, a 4-byte little-endian size, two header words and its subrecords; a
// subrecord is its tag, a 4-byte little-endian size and its data. Tags are found by search:
// a search answers the position just after the tag.
constexpr int Tag_Length = 4;
constexpr int Subrecord_Size_Length = 4;
constexpr int NPC_Record_Size_Byte = 3;   // the size byte, counted from the tag's end, that is
constexpr int Body_Record_Size_Byte = 2;  // 0 in every real "NPC_" and "BODY" record
constexpr int Female_Flag_Bit = 0x01;     // of the first data byte of an NPC's "FLAG"

// The record test. For p just after a record tag: the position just after the record's "NAME"
// tag when "NAME" ends 1 to 16 bytes after p and the size byte at p + k is 0, else -1 (no
// record). k is NPC_Record_Size_Byte or Body_Record_Size_Byte. Does not move Search_Pos.
std::int32_t Record_Name_End(std::int32_t p, int k);

// For t just after a "FLAG" tag: 1 when the female bit of its first data byte is set, else 0,
// also when the file ends before that byte. Search_Pos becomes that byte's position.
int Take_Female_Flag(std::int32_t t);

// The one rule for the string value of the subrecord whose tag ends at t: Field_Start becomes
// the first byte after t + 1 that is not 0, so that the size's zero upper bytes are passed
// over (and so is the NUL of an empty value, which puts the bounds on what follows it), and
// Field_End the last byte before the next 0, or the buffer's last byte when no 0 follows.
// Answers 0 when a 0 inside the buffer ends the value, -1 when the buffer ends first (the
// value is then cut, or holds no byte). Does not move Search_Pos.
int Bound_Subrecord_Value(std::int32_t t);

// Bound_Subrecord_Value, then the value copied into slot (cut at 99 characters); Search_Pos
// becomes the value's last byte. Takes whatever the bounds hold, even nothing.
int Extract_Subrecord_Value(std::int32_t t, Text_Slot& slot);

// As Extract_Subrecord_Value, but an empty value (a 0 as its first data byte, or no byte of it
// left in the buffer) is not taken: answers 0 with slot, Search_Pos, Field_Start and
// Field_End as they were, or 1 once the value is taken.
int Extract_Value_Unless_Empty(std::int32_t t, Text_Slot& slot);

// Seeks tag from Search_Pos and extracts its value; answers 1. A tag that occurs nowhere
// further on leaves slot and Search_Pos as they were, and answers 0.
int Extract_Next_Value(const char* tag, Text_Slot& slot);

// Copies the bytes Field_Start to Field_End into slot, cut at 99 characters, terminated.
int Copy_Field_To_Slot(Text_Slot& slot);

// ---------------------------------------------- text lists read (text_files.cpp)

// Opens a file for reading in binary mode. A missing file is not created. Null when it
// cannot be opened.
std::FILE* Open_For_Reading(const char* path);

// Opens a file with a binary stdio mode that neither creates nor truncates it ("rb", "r+b"),
// a missing file whose folder exists first created empty: the lists that pass between the
// programs, and the partner files shared with the game side. Null when it cannot be opened.
std::FILE* Open_Or_Create(const char* path, const char* mode);

// A list read in text mode: a CR LF pair reads as one line end. The reader keeps its own
// look-ahead and never pushes a character back into the stream.
struct Text_In {
    std::FILE* file;
    int at_end;    // 1 once a read has met the end; every later read yields an empty field
    int ahead[2];  // bytes read from the file and not yet taken, the next one first
    int ahead_count;
};

int Open_Text_In(Text_In& in, const char* path);  // creates a missing list in an existing folder
int Close_Text_In(Text_In& in);
int Rewind_Text_In(Text_In& in);  // back to the start, end state cleared
int Peek_Text_In(Text_In& in);    // the next character, not taken; -1 at the end

// Reads one field up to delimiter into out, at most capacity - 1 characters, always
// terminated. The delimiter is consumed only when met within those characters; a longer
// field's rest is what the next read takes. Returns the number of characters stored.
int Read_Field(Text_In& in, char delimiter, char* out, int capacity);
int Read_Field(Text_In& in, char delimiter, Text_Slot& out);

// Passes over the rest of the current line, however long, in pieces of at most size - 1
// characters read into buffer, so that the text after a piece is never taken for a line of its
// own. Returns the length of the first piece: 0 at the end of the list or on an empty rest.
int Skip_Line(Text_In& in, char* buffer, int size);

// 1 when the field just read, of length characters, is wanted exactly, in its whole length (a
// NUL read into the field counts as one of its characters), else 0.
int Is_Whole_Field(const char* field, int length, const char* wanted);

// ---------------------------------------------- files written whole (whole_files.cpp)

// A file written whole (a list, a copy over the mesh set) is written beside its name, under
// that name followed by Temporary_Ending, and put in its place only once every byte has
// reached the disk: a failure or a kill leaves the file as it was. Each program removes what a
// killed run of it left beside its files when it starts.
constexpr const char* Temporary_Ending = ".Vorel_Temp";
constexpr int Temporary_Path_Size = Path_Slot_Size + 12;
using Temporary_Path = char[Temporary_Path_Size];

// The name that path's new content is written under before it takes path's place.
int Name_Temporary_File(Temporary_Path& out, const char* path);

// 1 when path names a file that is there but cannot be written now (read-only, held by another
// program, a folder): replacing it would undo what the player or that program meant. Looks
// without changing it. 0 when it can be written or is missing.
int Refuses_Writes(const char* path);

// Closes a file that was written: 0 when every byte written reached it, else -1. The flush
// is tested on its own: a C runtime may close without a word a file whose last bytes it could
// not write.
int Close_Written_File(std::FILE* file);

// Puts the temporary file of path in path's place; removes it when that fails. 0, or -1.
int Put_Temporary_In_Place(const char* path);

// Removes what a killed run may have left beside the file at path, or beside any file in
// folder (a path ending in "\").
int Remove_Leftover_Of(const char* path);
int Remove_Leftovers_In(const char* folder);

// ---------------------------------------------- text lists and logs written (text_out.cpp)

// A list or log written in text mode: every "\n" reaches the disk as CR LF.
// A file that cannot be opened, or a write to it that fails, is said on the console once, by
// Report_Unwritten_File; the program goes on without it.
struct Text_Out {
    std::FILE* file;    // null when the file could not be opened
    Path_Slot path;     // as given to the open, to name the file when it cannot be written
    int failed;         // 1 once the file could not be opened or a write to it failed
    int whole;          // 1 when written beside path and put in its place at the close
    int failure_round;  // the round of Forget_Unwritten_Files in which the failure was last said
};

int Open_Text_Out(Text_Out& out, const char* path, int append);  // truncates unless append
// Opens a list that is written whole: path keeps what it held until the close puts the new
// content in its place, and keeps it for good when anything meant for it was lost. A file at
// path that refuses writes is said at once and never replaced.
int Open_Whole_Text_Out(Text_Out& out, const char* path);
// Closes a list opened whole without putting it in place: when all of it was written, it
// stays under its temporary name to be read back, and 0 is returned; else that file is removed
// and -1 returned.
int Close_Text_Out_Beside(Text_Out& out);
// Opens a log for appending, created when missing. A log that cannot be opened is said only
// when an entry is written to it: a log that has nothing to take has lost nothing.
int Open_Log_For_Appending(Text_Out& log, const char* path);
// The writes and the close answer 0, or -1 once anything meant for the file was lost.
int Close_Text_Out(Text_Out& out);
int Write_Text(Text_Out& out, const char* text);
int Write_Line(Text_Out& out, const char* first, const char* second = "", const char* third = "");  // and flush

// Prints "Error! Could not write file: " and path, unless that was said of path since the
// last Forget_Unwritten_Files. Returns 1 when it printed, else 0.
int Report_Unwritten_File(const char* path);
// Prints it whether said before or not, and keeps path among the files said.
int Say_Unwritten_File(const char* path);
int Forget_Unwritten_Files();

// ---------------------------------------------- console (console.cpp)

// Prints the pieces as one console line, then a line end and a flush.
int Print_Line(const char* first = "", const char* second = "", const char* third = "");

// The lines that point the user to a file: "See '" log "' for details" for an error log that
// took an entry, "See '" list "' for results" for a list, and "See the text files in the '"
// folder "' folder for results" for a folder of lists, named without the "\" it ends in.
int Print_Log_Pointer(const char* log);
int Print_List_Pointer(const char* list);
int Print_Folder_Pointer(const char* folder);

// ---------------------------------------------- list formats (list_formats.cpp)

// The lists that one program writes and another reads; each line ends with "\n" (CR LF on
// disk). Every delimiter and order of fields is here:
//   data-file list  the number of names, then one name a line, latest-loaded data file first
//   census list     data-file name "*" number of NPCs
//   NPC list        ID "<" head ">" hair "<" race ">" sex "<" full name
//   mesh list       the same, head and hair as mesh paths; the merged NPC list holds them all
//   race list       the race name and the eleven body-part meshes, each followed by "*"
constexpr char List_Line_End = '\n';
constexpr char Census_Name_End = '*';
constexpr char NPC_ID_End = '<';
constexpr char NPC_Head_End = '>';
constexpr char NPC_Hair_End = '<';
constexpr char NPC_Race_End = '>';
constexpr char NPC_Sex_End = '<';
constexpr char Race_Field_End = '*';
constexpr const char* Male_Sex_Field = "0";
constexpr const char* Female_Sex_Field = "1";

// A line that holds one text: a name of the data-file list, or its count.
int Write_List_Line(Text_Out& list, const char* text);
int Write_Count_Line(Text_Out& list, int count);
int Read_List_Line(Text_In& list, Text_Slot& line);  // returns the characters stored

int Write_Census_Line(Text_Out& census, const char* name, int npc_count);  // and flush
int Read_Census_Name(Text_In& census, Text_Slot& name);
int Read_Census_Count(Text_In& census);  // the rest of the line, as a number

// One NPC line, as its writers hold its fields.
struct NPC_Line_Fields {
    const char* id;
    const char* head;
    const char* hair;
    const char* race;
    const char* sex;
    const char* name;
};

int Write_NPC_Line(Text_Out& list, const NPC_Line_Fields& line);  // and flush
int Read_NPC_ID(Text_In& list, Text_Slot& id);                    // returns the characters stored
// The fields after the ID, each up to its own delimiter, the full name up to the line end.
int Read_NPC_Fields(Text_In& list, Text_Slot& head, Text_Slot& hair, Text_Slot& race, Text_Slot& sex, Text_Slot& name);

int Write_Race_Row(Text_Out& list, const char* const (&fields)[Race_Row_Slots]);
int Read_Race_Field(Text_In& list, Text_Slot& field);  // returns the characters stored

// The value of text as atoi reads it: leading blanks, an optional sign, decimal digits;
// 0 without digits. Saturates instead of overflowing.
int Parse_Int(const char* text);

// The lists that a run has named so far, in data-file list order: each data file's name and
// its NPC list. The first 275 are kept; a list named after them is named by the plain rule.
struct Named_Lists {
    Text_Slot names[Max_Data_Files];
    Path_Slot npc_lists[Max_Data_Files];
    int count;
};

// The NPC list and the mesh list of the run's next data file: the folder joined with the data
// file's name, the last four characters of the joined text dropped (for "Pair.esp", the name
// without its extension), then " NPC List.txt" or " Mesh List.txt". A data file whose NPC list
// would take the name of another data file's list named earlier in the run keeps its whole
// name instead ("Pair.esm NPC List.txt" after "Pair.esp"), so that each has a list of its own;
// when that name is taken too, its whole name and the first number from 2 on that gives a
// name not yet taken ("Pair.esp (2) NPC List.txt" after "Pair.esm" and "Pair.esp.abc").
// Letter case tells no two names apart, as on the game's file systems.
int Name_Data_File_Lists(Named_Lists& named, const char* data_file_name, Path_Slot& npc_list, Path_Slot& mesh_list);

// ---------------------------------------------- data-file list (data_file_list.cpp)

// Reads "Vorel OXT Files\Vorel_Data_File_List.txt" into Data_File_Count and Data_File_Names.
int Read_Data_File_List();

// Stores the lines of list, from where it stands, in Data_File_Names from slot 0 on, up to
// the read that meets the end; that read's line is not stored. Stops when the table is full.
int Read_Names_Into_Table(Text_In& list);

// How many data files of the name table a walk over it takes: the list's count, kept within
// the table (0 for a list without names).
int Data_Files_Listed();

// Loads data file index of the name table, or the data file of a name read elsewhere:
// Data_File_Path becomes "Data Files\" and its name, and Search_Pos 0. A data file that is
// missing is said, "Error! Could not find data file: " and its path, at its first load in the
// run, and reads as empty.
int Load_Data_File(int index);
int Load_Data_File_Named(const char* name);

// Forgets the data files said missing, so that the next load of each says it again.
int Forget_Missing_Data_Files();

// ---------------------------------------------- body-part lookup (body_part_lookup.cpp)

// The list index of the first data file, in list order, that holds id (letter case ignored)
// followed by one byte and "MODL", or -1. Loads the data files afresh on every call.
int Find_ID_In_Data_Files(const char* id);

// lead (a mark, or nothing), "Data Files\Meshes\" and a "MODL" value into out. Returns 0, or
// -1, with out all zero, when they do not fit a slot: a mesh path is never used cut.
int Build_Mesh_Path(Text_Slot& out, const char* lead, const char* value);

// The mesh path of an ID: as Find_ID_In_Data_Files; after a hit out holds lead (a mark, or
// nothing), "Data Files\Meshes\" and the ID's "MODL" value. A value whose path does not fit a
// slot counts as not found (-1), and leaves out all zero; an ID that no data file holds leaves
// out as it was. Search_Pos is 0 on return.
int Find_Mesh_Path(const char* id, Text_Slot& out, const char* lead = "");

// ---------------------------------------------- NPC lists (npc_list.cpp)

// Reads one NPC list into the NPC field tables, one row per line from row 0 on, at most
// Max_NPC_Rows. The row in which the reading meets the end of the list gets an empty field for
// each field the list had no more bytes for: after a last line that ends with its line end,
// that is the next row, emptied whole; after one without, it is that line's own row. Every
// later row keeps what it held. count is what the caller expects and is not used. Returns the
// number of rows that hold a line of the list.
int Read_NPC_List(const char* path, int count);

// ---------------------------------------------- mesh copy and mesh set (mesh_copy.cpp, mesh_set.cpp)

constexpr const char* Error_Marker_Mesh = "Data Files\\Meshes\\Vorel\\Vorel_Error_Marker.nif";

// Copies the source mesh whole over target. A missing source is reported on the console and
// in the copy error log, source is set to the error-marker mesh and that is copied instead.
// Returns 0, or -1 when the source that was to be copied could not be read or the target could
// not be written, which is reported the same way; the target then keeps what it held.
int Copy_Mesh_File(Text_Slot& source, const char* target);

// Fills table with the thirteen mesh-set file names of one sex, in set order.
int Fill_Mesh_Set(Mesh_Set_Table& table, int female);

// What the copies of one change of the mesh set came to.
struct Mesh_Set_Change {
    int written;  // targets that now hold their mesh
    int failed;   // targets that could not be written
};

// Removes what a killed copy may have left beside the files of both mesh sets.
int Remove_Mesh_Set_Leftovers();

// Copy_Mesh_File, counted in change.
int Copy_Into_Mesh_Set(Text_Slot& source, const char* target, Mesh_Set_Change& change);

// Reads the eleven body-part meshes that follow a race row's name in list and copies each over
// its file of set as soon as it is read; field is the copies' source slot.
int Copy_Race_Row_Meshes(Text_In& list, Mesh_Set_Table& set, Text_Slot& field, Mesh_Set_Change& change);

// The lines that close a change of the mesh set, and the one that fits change: changed when
// every copy was made, not wholly changed when some could not be, not changed when none was.
struct Change_Lines {
    const char* changed;
    const char* not_wholly_changed;
    const char* not_changed;
};
const char* Change_Line(const Mesh_Set_Change& change, const Change_Lines& lines);

// ---------------------------------------------- race-list search (race_search.cpp)

// How a race-list search passes over a line that is not the race's. Player appearance and the
// partner monitor read such a line differently, and on a list with over-long fields or lines,
// or a NUL in a race name, they find different lines; each keeps its own reading, so that
// what each program makes of such a list stays as it was.
enum Race_Search {
    // The line's eleven fields, then its rest up to 99 characters; the race name is compared
    // up to a NUL in it. Player appearance.
    Race_Search_Field_By_Field,
    // The rest of the line whole, however long, an empty rest ending the search; the race name
    // is compared in its whole length. The partner monitor.
    Race_Search_Whole_Lines,
};

// Reads list from its first line for the first line whose first field is race, exactly, and
// copies its eleven body-part meshes over set, each as soon as it is read; field is the copies'
// source slot. Returns 0, or -1 when no line holds the race. An empty race is held by none (it
// would match the empty field read at the end of the list), nor is a first field cut off by
// the end of the list (as a full disk leaves one): it has no body parts after it.
int Copy_Race_Meshes(Text_In& list, const char* race, Race_Search search, Mesh_Set_Table& set, Text_Slot& field,
                     Mesh_Set_Change& change);

// ---------------------------------------------- run start (run_start.cpp)

// The programs as the user knows them, to name the one that writes a missing list.
constexpr const char* Data_File_Lister = "data-file-lister";
constexpr const char* NPC_Lister = "npc-lister";
constexpr const char* Mesh_Lister = "mesh-lister";
constexpr const char* Race_Lister = "race-lister";

// What every worker does first. Answers 0 in the game's root folder: the working folder holds
// "Data Files" or "Saves". Elsewhere it says in one line to start the program from there and
// answers -1, and the worker returns without writing anything. Also begins the run's memo of
// missing data files afresh.
int Begin_Run_In_Game_Folder();

// Prints "Error! '", list, "' is missing or lists nothing: run ", program, " first".
int Report_Run_First(const char* list, const char* program);

// 1 when list holds no character (a list that could not be opened holds none), else 0. The
// list is rewound.
int Lists_Nothing(Text_In& list);

// ---------------------------------------------- program end (idle.cpp)

// What every program does once its worker has returned: sleep 5000 ms at a time for ever,
// so the console keeps the run's lines until the user closes it.
[[noreturn]] void Idle_For_Ever();
