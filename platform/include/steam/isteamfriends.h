// The user's friends and persona ("SteamFriends013").
#pragma once

#include "steamtypes.h"

#define STEAMFRIENDS_INTERFACE_VERSION "SteamFriends013"

class ISteamFriends {
public:
    // The user's display name (UTF-8, owned by Steam).
    virtual const char* GetPersonaName() = 0;
    // The name of another user (UTF-8, owned by Steam); empty when Steam does not know it yet.
    virtual const char* GetFriendPersonaName(CSteamID steamIDFriend) = 0;
    // Asks Steam for a user's name (and, unless bRequireNameOnly, more); true when an answer will
    // follow, false when Steam knows the user already.
    virtual bool RequestUserInformation(CSteamID steamIDUser, bool bRequireNameOnly) = 0;
    // Opens the web page in the Steam overlay.
    virtual void ActivateGameOverlayToWebPage(const char* pchURL) = 0;

protected:
    virtual ~ISteamFriends() = default;
};
