// Screenshots ("STEAMSCREENSHOTS_INTERFACE_VERSION002"): handed out, no operation used yet.
#pragma once

#include "steamtypes.h"

#define STEAMSCREENSHOTS_INTERFACE_VERSION "STEAMSCREENSHOTS_INTERFACE_VERSION002"

class ISteamScreenshots {
protected:
    virtual ~ISteamScreenshots() = default;
};
