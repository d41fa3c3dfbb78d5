// The user's friends and persona ("SteamFriends013").
#pragma once

#include "steamtypes.h"

#define STEAMFRIENDS_INTERFACE_VERSION "SteamFriends013"

class ISteamFriends {
public:
    // The user's display name (UTF-8, owned by Steam).
    virtual const char* GetPersonaName() = 0;

protected:
    virtual ~ISteamFriends() = default;
};
