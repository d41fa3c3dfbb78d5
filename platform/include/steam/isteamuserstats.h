// Statistics and achievements ("STEAMUSERSTATS_INTERFACE_VERSION011").
#pragma once

#include "steamtypes.h"

#define STEAMUSERSTATS_INTERFACE_VERSION "STEAMUSERSTATS_INTERFACE_VERSION011"

class ISteamUserStats {
public:
    // An achievement's display attribute ("name", "desc", "hidden") by its API name; "" when
    // the achievement or the attribute is unknown.
    virtual const char* GetAchievementDisplayAttribute(const char* pchName, const char* pchKey) = 0;

protected:
    virtual ~ISteamUserStats() = default;
};
