// The one letter fold of the programs: letter case as the game's file systems and its IDs
// ignore it, whatever the locale. The platform layer's lookups without case and the toolkit's
// searches and name comparisons all fold through it.
#pragma once

// 'a' to 'z' as 'A' to 'Z', every other byte as it is.
constexpr unsigned char Fold_Letter(unsigned char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}
