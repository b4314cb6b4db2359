// The Windows code pages in which the game spells file names, and a name read in one of them
// and written in UTF-8, as a copy of the game folder onto a POSIX disk names its files.
// POSIX build only; no state.
#pragma once

#include <string>

// cp1252 (Western), cp1251 (Cyrillic) and cp1250 (Central European), in the order they are
// tried.
constexpr int Code_Page_Count = 3;

// Sets utf8 to name read in code page `page` (0 to Code_Page_Count - 1) and written in UTF-8,
// and returns 1. Returns 0, utf8 unchanged, when name has no byte from 0x80 up, since it then
// reads the same in every page, or holds a byte that the page leaves undefined.
int Code_Page_Name_In_Utf8(int page, const std::string& name, std::string& utf8);
