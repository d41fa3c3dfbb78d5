// Steam entry points of libsteam_api: start-up, the client, callback dispatch, and the table of
// the twelve interfaces a program keeps (CSteamAPIContext).
#pragma once

#include "steamtypes.h"
#include "steamcallback.h"
#include "isteamclient.h"
#include "isteamuser.h"
#include "isteamfriends.h"
#include "isteamutils.h"
#include "isteammatchmaking.h"
#include "isteammatchmakingservers.h"
#include "isteamuserstats.h"
#include "isteamapps.h"
#include "isteamnetworking.h"
#include "isteamremotestorage.h"
#include "isteamscreenshots.h"
#include "isteamhttp.h"
#include "isteamunifiedmessages.h"

// Connects to Steam; false when Steam is not running. Calling it again while connected is true.
S_API bool SteamAPI_InitSafe();
S_API void SteamAPI_Shutdown();
// Delivers posted callbacks and completed call results on the calling thread.
S_API void SteamAPI_RunCallbacks();
S_API HSteamUser SteamAPI_GetHSteamUser();
S_API HSteamPipe SteamAPI_GetHSteamPipe();
// The client, or null before SteamAPI_InitSafe succeeded.
S_API ISteamClient* SteamClient();

// The interfaces a program fetched, in this order.
class CSteamAPIContext {
public:
    CSteamAPIContext() { Clear(); }

    void Clear()
    {
        m_pSteamUser = nullptr;
        m_pSteamFriends = nullptr;
        m_pSteamUtils = nullptr;
        m_pSteamMatchmaking = nullptr;
        m_pSteamUserStats = nullptr;
        m_pSteamApps = nullptr;
        m_pSteamMatchmakingServers = nullptr;
        m_pSteamNetworking = nullptr;
        m_pSteamRemoteStorage = nullptr;
        m_pSteamScreenshots = nullptr;
        m_pSteamHTTP = nullptr;
        m_pSteamUnifiedMessages = nullptr;
    }

    // Fetches every interface; false (and a cleared table) when one is missing.
    bool Init()
    {
        ISteamClient* client = SteamClient();
        if (!client) {
            Clear();
            return false;
        }
        HSteamUser user = SteamAPI_GetHSteamUser();
        HSteamPipe pipe = SteamAPI_GetHSteamPipe();
        m_pSteamUser = client->GetISteamUser(user, pipe, STEAMUSER_INTERFACE_VERSION);
        m_pSteamFriends = client->GetISteamFriends(user, pipe, STEAMFRIENDS_INTERFACE_VERSION);
        m_pSteamUtils = client->GetISteamUtils(pipe, STEAMUTILS_INTERFACE_VERSION);
        m_pSteamMatchmaking = client->GetISteamMatchmaking(user, pipe, STEAMMATCHMAKING_INTERFACE_VERSION);
        m_pSteamMatchmakingServers = client->GetISteamMatchmakingServers(user, pipe, STEAMMATCHMAKINGSERVERS_INTERFACE_VERSION);
        m_pSteamUserStats = client->GetISteamUserStats(user, pipe, STEAMUSERSTATS_INTERFACE_VERSION);
        m_pSteamApps = client->GetISteamApps(user, pipe, STEAMAPPS_INTERFACE_VERSION);
        m_pSteamNetworking = client->GetISteamNetworking(user, pipe, STEAMNETWORKING_INTERFACE_VERSION);
        m_pSteamRemoteStorage = client->GetISteamRemoteStorage(user, pipe, STEAMREMOTESTORAGE_INTERFACE_VERSION);
        m_pSteamScreenshots = client->GetISteamScreenshots(user, pipe, STEAMSCREENSHOTS_INTERFACE_VERSION);
        m_pSteamHTTP = client->GetISteamHTTP(user, pipe, STEAMHTTP_INTERFACE_VERSION);
        m_pSteamUnifiedMessages = client->GetISteamUnifiedMessages(user, pipe, STEAMUNIFIEDMESSAGES_INTERFACE_VERSION);
        bool complete = m_pSteamUser && m_pSteamFriends && m_pSteamUtils && m_pSteamMatchmaking &&
                        m_pSteamMatchmakingServers && m_pSteamUserStats && m_pSteamApps &&
                        m_pSteamNetworking && m_pSteamRemoteStorage && m_pSteamScreenshots &&
                        m_pSteamHTTP && m_pSteamUnifiedMessages;
        if (!complete)
            Clear();
        return complete;
    }

    ISteamUser* SteamUser() const { return m_pSteamUser; }
    ISteamFriends* SteamFriends() const { return m_pSteamFriends; }
    ISteamUtils* SteamUtils() const { return m_pSteamUtils; }
    ISteamMatchmaking* SteamMatchmaking() const { return m_pSteamMatchmaking; }
    ISteamUserStats* SteamUserStats() const { return m_pSteamUserStats; }
    ISteamApps* SteamApps() const { return m_pSteamApps; }
    ISteamMatchmakingServers* SteamMatchmakingServers() const { return m_pSteamMatchmakingServers; }
    ISteamNetworking* SteamNetworking() const { return m_pSteamNetworking; }
    ISteamRemoteStorage* SteamRemoteStorage() const { return m_pSteamRemoteStorage; }
    ISteamScreenshots* SteamScreenshots() const { return m_pSteamScreenshots; }
    ISteamHTTP* SteamHTTP() const { return m_pSteamHTTP; }
    ISteamUnifiedMessages* SteamUnifiedMessages() const { return m_pSteamUnifiedMessages; }

    ISteamUser* m_pSteamUser;
    ISteamFriends* m_pSteamFriends;
    ISteamUtils* m_pSteamUtils;
    ISteamMatchmaking* m_pSteamMatchmaking;
    ISteamUserStats* m_pSteamUserStats;
    ISteamApps* m_pSteamApps;
    ISteamMatchmakingServers* m_pSteamMatchmakingServers;
    ISteamNetworking* m_pSteamNetworking;
    ISteamRemoteStorage* m_pSteamRemoteStorage;
    ISteamScreenshots* m_pSteamScreenshots;
    ISteamHTTP* m_pSteamHTTP;
    ISteamUnifiedMessages* m_pSteamUnifiedMessages;
};
