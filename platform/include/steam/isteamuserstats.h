// Statistics and achievements ("STEAMUSERSTATS_INTERFACE_VERSION011").
#pragma once

#include "steamtypes.h"

#define STEAMUSERSTATS_INTERFACE_VERSION "STEAMUSERSTATS_INTERFACE_VERSION011"

class ISteamUserStats {
public:
    // An achievement's display attribute ("name", "desc", "hidden") by its API name; "" when
    // the achievement or the attribute is unknown.
    virtual const char* GetAchievementDisplayAttribute(const char* pchName, const char* pchKey) = 0;
    // Image handle of the achievement's icon (for ISteamUtils' image queries); 0 while Steam has
    // no icon for it yet or the achievement is unknown.
    virtual int GetAchievementIcon(const char* pchName) = 0;

protected:
    virtual ~ISteamUserStats() = default;
};
