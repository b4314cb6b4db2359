// The platform layer: the few services of the operating system that the programs use.
// Paths are spelled as on Windows ("Data Files\Meshes\x.nif"); on other systems the layer
// maps "\" to "/" and finds each existing path component without regard to ASCII case, or
// named in UTF-8 where the path spells it in one of the game's Windows code pages.
#pragma once

#include <cstdio>

// Waits the given number of milliseconds.
void Os_Sleep(int milliseconds);

// 1 when the path names an existing file or folder, else 0 (an empty path is missing).
int Os_File_Exists(const char* path);

// Opens a file with a binary stdio mode ("rb", "wb", "ab", "r+b"), shared with other
// processes that read, write, delete or rename it. Returns null when the file cannot be
// opened or the path names a folder.
std::FILE* Os_Open_File(const char* path, const char* mode);

// The size in bytes of an open file, or -1 when it cannot be told. The stream's position is
// not moved.
long long Os_File_Size(std::FILE* file);

// 1 when both paths name one existing file, however each is spelled or reached; else 0.
int Os_Same_File(const char* first_path, const char* second_path);

// Puts the file at temporary_path in the place of path in one step, the old file of that
// name (if any) going with it: whoever opens path finds the old file or the new one whole,
// never a mix. A link at path is itself replaced, not the file it leads to. Both paths must
// lie in one folder. Returns 0, or -1 when nothing was replaced (the temporary file stays).
int Os_Replace_File(const char* temporary_path, const char* path);

// Removes the file at path. Returns 0, or -1 when it could not be removed or was not there.
int Os_Remove_File(const char* path);

// Removes every file in folder (a path ending in "\", or "" for the working folder) whose
// name ends in ending. Returns how many were removed.
int Os_Remove_Files_Ending_In(const char* folder, const char* ending);
