// Peer-to-peer networking ("SteamNetworking005"): handed out, no operation used yet.
#pragma once

#include "steamtypes.h"

#define STEAMNETWORKING_INTERFACE_VERSION "SteamNetworking005"

class ISteamNetworking {
protected:
    virtual ~ISteamNetworking() = default;
};
