// The workshop library's content filter: whether a title or description makes a published item
// friends-only.
#pragma once

#include <string>

// True when the text holds one of the filter's entries (byte-exact, case-sensitive), or when it
// is 11 bytes or longer without a single space.
bool HasBadWords(const std::string &text);
