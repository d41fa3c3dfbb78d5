// Server browser ("SteamMatchMakingServers002"): handed out, no operation used yet.
#pragma once

#include "steamtypes.h"

#define STEAMMATCHMAKINGSERVERS_INTERFACE_VERSION "SteamMatchMakingServers002"

class ISteamMatchmakingServers {
protected:
    virtual ~ISteamMatchmakingServers() = default;
};
