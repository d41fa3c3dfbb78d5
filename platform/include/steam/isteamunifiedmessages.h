// Unified messages ("STEAMUNIFIEDMESSAGES_INTERFACE_VERSION001"): handed out, no operation used yet.
#pragma once

#include "steamtypes.h"

#define STEAMUNIFIEDMESSAGES_INTERFACE_VERSION "STEAMUNIFIEDMESSAGES_INTERFACE_VERSION001"

class ISteamUnifiedMessages {
protected:
    virtual ~ISteamUnifiedMessages() = default;
};
