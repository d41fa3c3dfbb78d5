// Statistics and achievements ("STEAMUSERSTATS_INTERFACE_VERSION011"): handed out, no operation used yet.
#pragma once

#include "steamtypes.h"

#define STEAMUSERSTATS_INTERFACE_VERSION "STEAMUSERSTATS_INTERFACE_VERSION011"

class ISteamUserStats {
protected:
    virtual ~ISteamUserStats() = default;
};
