// The client interface: hands out the other interfaces by version string.
#include "Core.h"

#include <cstring>

namespace steamstandin {

namespace {

template <class I>
I* Offer(HSteamUser user, HSteamPipe pipe, const char* version, const char* offered, I* object)
{
    if (user != kUser || pipe != kPipe || !version || std::strcmp(version, offered) != 0)
        return nullptr;
    return object;
}

class Client : public ISteamClient {
public:
    ISteamUser* GetISteamUser(HSteamUser u, HSteamPipe p, const char* v) override
    {
        return Offer(u, p, v, STEAMUSER_INTERFACE_VERSION, UserInterface());
    }
    ISteamFriends* GetISteamFriends(HSteamUser u, HSteamPipe p, const char* v) override
    {
        return Offer(u, p, v, STEAMFRIENDS_INTERFACE_VERSION, FriendsInterface());
    }
    ISteamUtils* GetISteamUtils(HSteamPipe p, const char* v) override
    {
        return Offer(kUser, p, v, STEAMUTILS_INTERFACE_VERSION, UtilsInterface());
    }
    ISteamMatchmaking* GetISteamMatchmaking(HSteamUser u, HSteamPipe p, const char* v) override
    {
        return Offer(u, p, v, STEAMMATCHMAKING_INTERFACE_VERSION, MatchmakingInterface());
    }
    ISteamMatchmakingServers* GetISteamMatchmakingServers(HSteamUser u, HSteamPipe p, const char* v) override
    {
        return Offer(u, p, v, STEAMMATCHMAKINGSERVERS_INTERFACE_VERSION, MatchmakingServersInterface());
    }
    ISteamUserStats* GetISteamUserStats(HSteamUser u, HSteamPipe p, const char* v) override
    {
        return Offer(u, p, v, STEAMUSERSTATS_INTERFACE_VERSION, UserStatsInterface());
    }
    ISteamApps* GetISteamApps(HSteamUser u, HSteamPipe p, const char* v) override
    {
        return Offer(u, p, v, STEAMAPPS_INTERFACE_VERSION, AppsInterface());
    }
    ISteamNetworking* GetISteamNetworking(HSteamUser u, HSteamPipe p, const char* v) override
    {
        return Offer(u, p, v, STEAMNETWORKING_INTERFACE_VERSION, NetworkingInterface());
    }
    ISteamRemoteStorage* GetISteamRemoteStorage(HSteamUser u, HSteamPipe p, const char* v) override
    {
        return Offer(u, p, v, STEAMREMOTESTORAGE_INTERFACE_VERSION, RemoteStorageInterface());
    }
    ISteamScreenshots* GetISteamScreenshots(HSteamUser u, HSteamPipe p, const char* v) override
    {
        return Offer(u, p, v, STEAMSCREENSHOTS_INTERFACE_VERSION, ScreenshotsInterface());
    }
    ISteamHTTP* GetISteamHTTP(HSteamUser u, HSteamPipe p, const char* v) override
    {
        return Offer(u, p, v, STEAMHTTP_INTERFACE_VERSION, HTTPInterface());
    }
    ISteamUnifiedMessages* GetISteamUnifiedMessages(HSteamUser u, HSteamPipe p, const char* v) override
    {
        return Offer(u, p, v, STEAMUNIFIEDMESSAGES_INTERFACE_VERSION, UnifiedMessagesInterface());
    }
};

} // namespace

ISteamClient* ClientInterface()
{
    static Client client;
    return &client;
}

} // namespace steamstandin
