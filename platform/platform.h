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

