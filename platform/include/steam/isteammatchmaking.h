// Lobby matchmaking ("SteamMatchMaking009"): handed out, no operation used yet.
#pragma once

#include "steamtypes.h"

#define STEAMMATCHMAKING_INTERFACE_VERSION "SteamMatchMaking009"

class ISteamMatchmaking {
protected:
    virtual ~ISteamMatchmaking() = default;
};
