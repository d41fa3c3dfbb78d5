// String less functions for the trees and maps keyed by text.
#include "tier1/utlrbtree.h"

#include <cstring>

#include "tier1/strtools.h"

bool CaselessStringLessThan(const char *const &a, const char *const &b) {
    if (!a) return false;
    if (!b) return true;
    return V_stricmp(a, b) < 0;
}

bool CaseSensitiveStringLessThan(const char *const &a, const char *const &b) {
    if (!a) return false;
    if (!b) return true;
    return strcmp(a, b) < 0;
}
