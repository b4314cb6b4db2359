// The block under the file buffer and how far the loaded file has been brought into it, for
// the buffer's own reads and the text searches only: nothing else reads the block, so no
// byte is read before it has come in from the file.
#pragma once

#include <cstdint>

extern unsigned char* File_Buffer;  // File_Length bytes; the first Filled_Length hold the file's bytes
extern std::int32_t Filled_Length;

// Brings the next block of the file in. False when nothing more came: the buffer is full,
// or the file ended early, which cuts File_Length to the bytes that did come.
bool Fill_Next_Block();

// Brings blocks in until the bytes before end are in or the file gives no more. True when
// they are in.
bool Fill_To(std::int64_t end);
