// What the server browser reads from a server's record: the game mode and workshop id from its
// tag text, and the description it shows.
#pragma once

#include <string>

namespace ServerList
{
// Size of a server record's tag field.
const int kTagFieldSize = 128;

// The value after the first occurrence of the prefix that starts at a byte position from 0 to
// kTagFieldSize - 2 - prefix length, up to (not including) the first NUL, space, "," or ";" or
// the end of the field; empty when the prefix does not occur.
std::string TagValue(const char (&tags)[kTagFieldSize], const char *prefix);

// The description when it holds 3 to 32 bytes and none of the refused punctuation bytes, else
// the game mode.
std::string DescriptionOrGameMode(const std::string &description, const std::string &gameMode);
}
