// The logged-in user ("SteamUser016").
#pragma once

#include "steamtypes.h"

#define STEAMUSER_INTERFACE_VERSION "SteamUser016"

class ISteamUser {
public:
    // Whether the user is logged in to Steam.
    virtual bool BLoggedOn() = 0;
    // The user's 64-bit account id.
    virtual CSteamID GetSteamID() = 0;

protected:
    virtual ~ISteamUser() = default;
};
