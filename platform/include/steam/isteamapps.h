// Application ownership ("STEAMAPPS_INTERFACE_VERSION005"): handed out, no operation used yet.
#pragma once

#include "steamtypes.h"

#define STEAMAPPS_INTERFACE_VERSION "STEAMAPPS_INTERFACE_VERSION005"

class ISteamApps {
protected:
    virtual ~ISteamApps() = default;
};
