// Server browser ("SteamMatchMakingServers002"): server-list requests answered one server at a
// time through a response object, and the player list of one server.
#pragma once

#include "steamtypes.h"

#include <cstdio>
#include <cstring>

#define STEAMMATCHMAKINGSERVERS_INTERFACE_VERSION "SteamMatchMakingServers002"

// A running server-list request; null is no request.
typedef void* HServerListRequest;
// A running query of one server; HSERVERQUERY_INVALID is none.
typedef int HServerQuery;
const HServerQuery HSERVERQUERY_INVALID = -1;

// One filter of a server-list request, for example {"gamedir", "zorvan"}.
struct MatchMakingKeyValuePair_t {
    char m_szKey[256];
    char m_szValue[256];
};

// How a server-list request ended.
enum EMatchMakingServerResponse {
    eServerResponded = 0,
    eServerFailedToRespond = 1,
    eNoServersListedOnMasterServer = 2,
};

// A server's IPv4 address (host order) with its query and connection ports.
class servernetadr_t {
public:
    void Init(uint32_t ip, uint16_t queryPort, uint16_t connectionPort)
    {
        m_unIP = ip;
        m_usQueryPort = queryPort;
        m_usConnectionPort = connectionPort;
    }
    uint16_t GetQueryPort() const { return m_usQueryPort; }
    uint16_t GetConnectionPort() const { return m_usConnectionPort; }
    uint32_t GetIP() const { return m_unIP; }
    const char* GetConnectionAddressString() const { return ToString(m_unIP, m_usConnectionPort); }
    const char* GetQueryAddressString() const { return ToString(m_unIP, m_usQueryPort); }

    // "a.b.c.d:port" in one of four static buffers used in turn: the text stays valid for the
    // next three calls only.
    static const char* ToString(uint32_t ip, uint16_t port)
    {
        static char s_buffers[4][64];
        static int s_next = 0;
        char* text = s_buffers[s_next];
        s_next = (s_next + 1) % 4;
        std::snprintf(text, 64, "%u.%u.%u.%u:%i", (ip >> 24) & 0xffu, (ip >> 16) & 0xffu, (ip >> 8) & 0xffu,
                      ip & 0xffu, static_cast<int>(port));
        return text;
    }

private:
    uint16_t m_usConnectionPort = 0;
    uint16_t m_usQueryPort = 0;
    uint32_t m_unIP = 0;
};

// What a server answered about itself. Texts are NUL-terminated within their fields.
class gameserveritem_t {
public:
    const char* GetName() const { return m_szServerName; }
    void SetName(const char* name)
    {
        std::strncpy(m_szServerName, name ? name : "", sizeof(m_szServerName) - 1);
        m_szServerName[sizeof(m_szServerName) - 1] = '\0';
    }

    servernetadr_t m_NetAdr;
    int m_nPing = 0;
    bool m_bHadSuccessfulResponse = false;
    bool m_bDoNotRefresh = false;
    char m_szGameDir[32] = {};
    char m_szMap[32] = {};
    char m_szGameDescription[64] = {};
    AppId_t m_nAppID = 0;
    int m_nPlayers = 0;
    int m_nMaxPlayers = 0;
    int m_nBotPlayers = 0;
    bool m_bPassword = false;
    bool m_bSecure = false;
    uint32_t m_ulTimeLastPlayed = 0;
    int m_nServerVersion = 0;

private:
    char m_szServerName[64] = {};

public:
    char m_szGameTags[128] = {};
    CSteamID m_steamID;
};

// Receiver of a server-list request's answers, called during SteamAPI_RunCallbacks.
class ISteamMatchmakingServerListResponse {
public:
    // Server iServer of the request answered (its record: GetServerDetails).
    virtual void ServerResponded(HServerListRequest hRequest, int iServer) = 0;
    virtual void ServerFailedToRespond(HServerListRequest hRequest, int iServer) = 0;
    // Every server has answered or failed; the request may be released now.
    virtual void RefreshComplete(HServerListRequest hRequest, EMatchMakingServerResponse response) = 0;

protected:
    virtual ~ISteamMatchmakingServerListResponse() = default;
};

// Receiver of one server's player list: a call per player, then failure or completion.
class ISteamMatchmakingPlayersResponse {
public:
    virtual void AddPlayerToList(const char* pchName, int nScore, float flTimePlayed) = 0;
    virtual void PlayersFailedToRespond() = 0;
    virtual void PlayersRefreshComplete() = 0;

protected:
    virtual ~ISteamMatchmakingPlayersResponse() = default;
};

class ISteamMatchmakingServers {
public:
    // Server lists of an application, filtered by key/value pairs ("gamedir"); the receiver
    // must outlive the request (until ReleaseRequest).
    virtual HServerListRequest RequestInternetServerList(AppId_t iApp, MatchMakingKeyValuePair_t** ppchFilters,
                                                         uint32_t nFilters,
                                                         ISteamMatchmakingServerListResponse* pRequestServersResponse) = 0;
    virtual HServerListRequest RequestLANServerList(AppId_t iApp,
                                                    ISteamMatchmakingServerListResponse* pRequestServersResponse) = 0;
    virtual HServerListRequest RequestFavoritesServerList(AppId_t iApp, MatchMakingKeyValuePair_t** ppchFilters,
                                                          uint32_t nFilters,
                                                          ISteamMatchmakingServerListResponse* pRequestServersResponse) = 0;
    virtual HServerListRequest RequestHistoryServerList(AppId_t iApp, MatchMakingKeyValuePair_t** ppchFilters,
                                                        uint32_t nFilters,
                                                        ISteamMatchmakingServerListResponse* pRequestServersResponse) = 0;
    // Cancels the request and frees it with its server records.
    virtual void ReleaseRequest(HServerListRequest hServerListRequest) = 0;
    // The record of server iServer, valid until the request is released; null when none.
    virtual gameserveritem_t* GetServerDetails(HServerListRequest hRequest, int iServer) = 0;
    // Stops further answers to the request (it stays until released).
    virtual void CancelQuery(HServerListRequest hRequest) = 0;
    virtual int GetServerCount(HServerListRequest hRequest) = 0;

    // The players of the server at that address (host order); the receiver must outlive it.
    virtual HServerQuery PlayerDetails(uint32_t unIP, uint16_t usPort,
                                       ISteamMatchmakingPlayersResponse* pRequestServersResponse) = 0;
    // Stops a player query: its receiver is not called any more.
    virtual void CancelServerQuery(HServerQuery hServerQuery) = 0;

protected:
    virtual ~ISteamMatchmakingServers() = default;
};
