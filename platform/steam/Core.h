// The running stand-in: its state folder, settings, cloud and workshop, and the interface
// objects each source file provides.
#pragma once

#include "Cloud.h"
#include "Settings.h"
#include "Workshop.h"

#include <steam/steam_api.h>

#include <string>

namespace steamstandin {

struct Core {
    std::string folder;
    Settings settings;
    Cloud cloud;
    Workshop workshop;
};

// The pipe and user handles of the one connection the stand-in offers.
const HSteamPipe kPipe = 1;
const HSteamUser kUser = 1;

// The stand-in between SteamAPI_InitSafe and SteamAPI_Shutdown, else null.
Core* Running();

// $ZV_STEAM_DIR, else ~/.local/share/zv-steam; empty when neither can be found.
std::string StateFolder();

// Seconds since 1970, as Steam's 32-bit times.
RTime32 Now();

// The interface objects, one per source file.
ISteamClient* ClientInterface();
ISteamUser* UserInterface();
ISteamFriends* FriendsInterface();
ISteamUtils* UtilsInterface();
ISteamMatchmaking* MatchmakingInterface();
ISteamMatchmakingServers* MatchmakingServersInterface();
ISteamUserStats* UserStatsInterface();
ISteamApps* AppsInterface();
ISteamNetworking* NetworkingInterface();
ISteamRemoteStorage* RemoteStorageInterface();
ISteamScreenshots* ScreenshotsInterface();
ISteamHTTP* HTTPInterface();
ISteamUnifiedMessages* UnifiedMessagesInterface();

// Abandons every HTTP request and stops the transfer thread (Steam shuts down).
void ShutdownHTTP();

} // namespace steamstandin
