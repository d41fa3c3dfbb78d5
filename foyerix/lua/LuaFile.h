// The access rule of the file library: which paths a menu script may read, and where it may
// write (files ending in "txt" or "dat" under "DATA").
#pragma once

#include <string>

// The path has its "\" already turned into "/". Write access needs the path id "DATA" and,
// unless bAnyExtension, the extension "txt" or "dat"; no path may leave its search path.
bool IsFileAccessAllowed(const std::string &path, const std::string &pathID, bool bWrite, bool bAnyExtension);
