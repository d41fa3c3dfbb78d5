// The server browser interface: servers and their players come from <state folder>/servers.txt,
// read afresh by each request; answers reach the receivers on the next SteamAPI_RunCallbacks.
#include "CallQueue.h"
#include "Core.h"

#include <strings.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace steamstandin {

namespace {

struct Player {
    std::string name;
    int score = 0;
    float timePlayed = 0;
};

struct ServerLine {
    std::vector<std::string> lists; // "internet", "lan", "favorite", "history"
    std::string gameDir;
    bool answers = true;
    gameserveritem_t record;
};

struct ServerFile {
    std::vector<ServerLine> servers;
    std::multimap<std::string, Player> players; // by "a.b.c.d:port"
};

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

// A whole-text decimal number within [low, high].
bool ParseInt(const std::string& text, long long low, long long high, long long& out)
{
    if (text.empty() || text.size() > 20)
        return false;
    char* end = nullptr;
    long long value = std::strtoll(text.c_str(), &end, 10);
    if (*end != '\0' || value < low || value > high)
        return false;
    out = value;
    return true;
}

// "a.b.c.d:port" into a host-order address and port.
bool ParseAddress(const std::string& text, uint32_t& ip, uint16_t& port)
{
    std::vector<std::string> hostPort = Split(text, ':');
    if (hostPort.size() != 2)
        return false;
    std::vector<std::string> octets = Split(hostPort[0], '.');
    if (octets.size() != 4)
        return false;
    ip = 0;
    long long value = 0;
    for (const std::string& octet : octets) {
        if (!ParseInt(octet, 0, 255, value))
            return false;
        ip = (ip << 8) | static_cast<uint32_t>(value);
    }
    if (!ParseInt(hostPort[1], 0, 65535, value))
        return false;
    port = static_cast<uint16_t>(value);
    return true;
}

void CopyField(char* target, size_t size, const std::string& text)
{
    size_t n = text.size() < size - 1 ? text.size() : size - 1;
    std::memcpy(target, text.data(), n);
    target[n] = '\0';
}

// Fields of a "server" line after the kind: lists, address, then optional query port, game
// folder, ping, name, map, description, players, max players, bots, password, last played,
// tags, answers. Malformed lines are skipped.
bool ParseServer(const std::vector<std::string>& f, ServerLine& out)
{
    auto field = [&](size_t i) { return i < f.size() ? f[i] : std::string(); };
    auto number = [&](size_t i, long long low, long long high, long long fallback, long long& value) {
        if (i >= f.size() || f[i].empty()) {
            value = fallback;
            return true;
        }
        return ParseInt(f[i], low, high, value);
    };
    if (f.size() < 3)
        return false;
    out.lists = Split(f[1], ',');
    uint32_t ip = 0;
    uint16_t port = 0;
    if (!ParseAddress(f[2], ip, port))
        return false;
    long long query = 0, ping = 0, players = 0, maxPlayers = 0, bots = 0, password = 0, lastPlayed = 0, answers = 0;
    if (!number(3, 0, 65535, port, query) || !number(5, 0, INT32_MAX, 50, ping) || !number(9, 0, INT32_MAX, 0, players) ||
        !number(10, 0, INT32_MAX, 0, maxPlayers) || !number(11, 0, INT32_MAX, 0, bots) ||
        !number(12, 0, 1, 0, password) || !number(13, 0, UINT32_MAX, 0, lastPlayed) || !number(15, 0, 1, 1, answers))
        return false;
    out.gameDir = f.size() > 4 && !f[4].empty() ? f[4] : "zorvan";
    out.answers = answers != 0;
    gameserveritem_t& r = out.record;
    r.m_NetAdr.Init(ip, static_cast<uint16_t>(query), port);
    r.m_nPing = static_cast<int>(ping);
    r.m_bHadSuccessfulResponse = out.answers;
    CopyField(r.m_szGameDir, sizeof(r.m_szGameDir), out.gameDir);
    r.SetName(field(6).c_str());
    CopyField(r.m_szMap, sizeof(r.m_szMap), field(7));
    CopyField(r.m_szGameDescription, sizeof(r.m_szGameDescription), field(8));
    r.m_nPlayers = static_cast<int>(players);
    r.m_nMaxPlayers = static_cast<int>(maxPlayers);
    r.m_nBotPlayers = static_cast<int>(bots);
    r.m_bPassword = password != 0;
    r.m_ulTimeLastPlayed = static_cast<uint32_t>(lastPlayed);
    CopyField(r.m_szGameTags, sizeof(r.m_szGameTags), field(14));
    return true;
}

// Fields of a "player" line after the kind: server query address, name, score, seconds played.
bool ParsePlayer(const std::vector<std::string>& f, std::string& address, Player& out)
{
    uint32_t ip = 0;
    uint16_t port = 0;
    long long score = 0;
    if (f.size() < 3 || !ParseAddress(f[1], ip, port))
        return false;
    address = servernetadr_t::ToString(ip, port);
    out.name = f[2];
    if (f.size() > 3 && !f[3].empty() && !ParseInt(f[3], INT32_MIN, INT32_MAX, score))
        return false;
    out.score = static_cast<int>(score);
    if (f.size() > 4 && !f[4].empty()) {
        char* end = nullptr;
        out.timePlayed = std::strtof(f[4].c_str(), &end);
        if (*end != '\0')
            return false;
    }
    return true;
}

ServerFile ReadServerFile()
{
    ServerFile file;
    Core* core = Running();
    if (!core)
        return file;
    std::ifstream in(core->folder + "/servers.txt", std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> fields = Split(line, '\t');
        if (fields[0] == "server") {
            ServerLine server;
            if (ParseServer(fields, server))
                file.servers.push_back(server);
        } else if (fields[0] == "player") {
            std::string address;
            Player player;
            if (ParsePlayer(fields, address, player))
                file.players.emplace(address, player);
        }
    }
    return file;
}

bool InList(const ServerLine& server, const char* list)
{
    for (const std::string& name : server.lists)
        if (name == list)
            return true;
    return false;
}

struct ListRequest {
    ISteamMatchmakingServerListResponse* receiver = nullptr;
    std::vector<gameserveritem_t> records;
    bool cancelled = false;
};

struct PlayerQuery {
    ISteamMatchmakingPlayersResponse* receiver = nullptr;
    uint32_t ip = 0;
    uint16_t port = 0;
};

class MatchmakingServers : public ISteamMatchmakingServers {
public:
    HServerListRequest RequestInternetServerList(AppId_t iApp, MatchMakingKeyValuePair_t** ppchFilters, uint32_t nFilters,
                                                 ISteamMatchmakingServerListResponse* receiver) override
    {
        return Request("internet", iApp, ppchFilters, nFilters, receiver);
    }

    HServerListRequest RequestLANServerList(AppId_t iApp, ISteamMatchmakingServerListResponse* receiver) override
    {
        return Request("lan", iApp, nullptr, 0, receiver);
    }

    HServerListRequest RequestFavoritesServerList(AppId_t iApp, MatchMakingKeyValuePair_t** ppchFilters, uint32_t nFilters,
                                                  ISteamMatchmakingServerListResponse* receiver) override
    {
        return Request("favorite", iApp, ppchFilters, nFilters, receiver);
    }

    HServerListRequest RequestHistoryServerList(AppId_t iApp, MatchMakingKeyValuePair_t** ppchFilters, uint32_t nFilters,
                                                ISteamMatchmakingServerListResponse* receiver) override
    {
        return Request("history", iApp, ppchFilters, nFilters, receiver);
    }

    void ReleaseRequest(HServerListRequest hRequest) override { m_requests.erase(Id(hRequest)); }

    gameserveritem_t* GetServerDetails(HServerListRequest hRequest, int iServer) override
    {
        auto it = m_requests.find(Id(hRequest));
        if (it == m_requests.end() || iServer < 0 || static_cast<size_t>(iServer) >= it->second.records.size())
            return nullptr;
        return &it->second.records[static_cast<size_t>(iServer)];
    }

    void CancelQuery(HServerListRequest hRequest) override
    {
        auto it = m_requests.find(Id(hRequest));
        if (it != m_requests.end())
            it->second.cancelled = true;
    }

    int GetServerCount(HServerListRequest hRequest) override
    {
        auto it = m_requests.find(Id(hRequest));
        return it == m_requests.end() ? 0 : static_cast<int>(it->second.records.size());
    }

    HServerQuery PlayerDetails(uint32_t unIP, uint16_t usPort, ISteamMatchmakingPlayersResponse* receiver) override
    {
        if (!Running() || !receiver)
            return HSERVERQUERY_INVALID;
        HServerQuery query = m_nextQuery++;
        if (m_nextQuery == INT32_MAX)
            m_nextQuery = 1;
        m_queries[query] = PlayerQuery{receiver, unIP, usPort};
        Calls().Defer([this, query] { AnswerPlayers(query); });
        return query;
    }

    void CancelServerQuery(HServerQuery hServerQuery) override { m_queries.erase(hServerQuery); }

private:
    static uintptr_t Id(HServerListRequest request) { return reinterpret_cast<uintptr_t>(request); }

    HServerListRequest Request(const char* list, AppId_t app, MatchMakingKeyValuePair_t** filters, uint32_t count,
                               ISteamMatchmakingServerListResponse* receiver)
    {
        Core* core = Running();
        if (!core || !receiver)
            return nullptr;
        std::string gameDir;
        bool filtered = false;
        for (uint32_t i = 0; filters && i < count; ++i) {
            if (!filters[i])
                continue;
            std::string key(filters[i]->m_szKey, strnlen(filters[i]->m_szKey, sizeof(filters[i]->m_szKey)));
            if (strcasecmp(key.c_str(), "gamedir") == 0) {
                filtered = true;
                gameDir.assign(filters[i]->m_szValue, strnlen(filters[i]->m_szValue, sizeof(filters[i]->m_szValue)));
            }
        }
        uintptr_t id = m_nextRequest++;
        ListRequest& request = m_requests[id];
        request.receiver = receiver;
        // Every server of the file belongs to the application Steam runs.
        if (app == core->settings.appId) {
            for (const ServerLine& server : ReadServerFile().servers) {
                if (!InList(server, list) || (filtered && strcasecmp(server.gameDir.c_str(), gameDir.c_str()) != 0))
                    continue;
                request.records.push_back(server.record);
                request.records.back().m_nAppID = app;
            }
        }
        Calls().Defer([this, id] { AnswerList(id); });
        return reinterpret_cast<HServerListRequest>(id);
    }

    // Each answer is followed by a fresh look-up: a receiver may cancel or release its request.
    void AnswerList(uintptr_t id)
    {
        HServerListRequest handle = reinterpret_cast<HServerListRequest>(id);
        for (size_t i = 0;; ++i) {
            auto it = m_requests.find(id);
            if (it == m_requests.end() || it->second.cancelled)
                return;
            ListRequest& request = it->second;
            if (i == request.records.size()) {
                request.cancelled = true; // complete: nothing more is answered
                request.receiver->RefreshComplete(handle, request.records.empty() ? eNoServersListedOnMasterServer
                                                                                  : eServerResponded);
                return;
            }
            if (request.records[i].m_bHadSuccessfulResponse)
                request.receiver->ServerResponded(handle, static_cast<int>(i));
            else
                request.receiver->ServerFailedToRespond(handle, static_cast<int>(i));
        }
    }

    void AnswerPlayers(HServerQuery query)
    {
        auto it = m_queries.find(query);
        if (it == m_queries.end())
            return;
        ServerFile file = ReadServerFile();
        bool answers = false;
        for (const ServerLine& server : file.servers)
            if (server.answers && server.record.m_NetAdr.GetIP() == it->second.ip &&
                server.record.m_NetAdr.GetQueryPort() == it->second.port)
                answers = true;
        if (!answers) {
            ISteamMatchmakingPlayersResponse* receiver = it->second.receiver;
            m_queries.erase(it);
            receiver->PlayersFailedToRespond();
            return;
        }
        auto range = file.players.equal_range(servernetadr_t::ToString(it->second.ip, it->second.port));
        for (auto player = range.first; player != range.second; ++player) {
            it = m_queries.find(query);
            if (it == m_queries.end())
                return;
            it->second.receiver->AddPlayerToList(player->second.name.c_str(), player->second.score,
                                                 player->second.timePlayed);
        }
        it = m_queries.find(query);
        if (it == m_queries.end())
            return;
        ISteamMatchmakingPlayersResponse* receiver = it->second.receiver;
        m_queries.erase(it);
        receiver->PlayersRefreshComplete();
    }

    uintptr_t m_nextRequest = 1;
    std::map<uintptr_t, ListRequest> m_requests;
    HServerQuery m_nextQuery = 1;
    std::map<HServerQuery, PlayerQuery> m_queries;
};

} // namespace

ISteamMatchmakingServers* MatchmakingServersInterface()
{
    static MatchmakingServers servers;
    return &servers;
}

} // namespace steamstandin
