// The server browser of the Steam stand-in: servers.txt parsing, list filters, answers on the
// next callback run, receivers that cancel or release inside their callbacks, player queries.
#include "platform/steam/SteamTestFolder.h"

#include <steam/steam_api.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

class Receiver : public ISteamMatchmakingServerListResponse {
public:
    void ServerResponded(HServerListRequest request, int server) override
    {
        events.push_back("ok " + std::to_string(server));
        if (releaseAfter == static_cast<int>(events.size()))
            servers->ReleaseRequest(request);
        if (cancelAfter == static_cast<int>(events.size()))
            servers->CancelQuery(request);
    }
    void ServerFailedToRespond(HServerListRequest, int server) override { events.push_back("fail " + std::to_string(server)); }
    void RefreshComplete(HServerListRequest, EMatchMakingServerResponse response) override
    {
        events.push_back("done " + std::to_string(static_cast<int>(response)));
    }

    ISteamMatchmakingServers* servers = nullptr;
    std::vector<std::string> events;
    int releaseAfter = -1;
    int cancelAfter = -1;
};

class Players : public ISteamMatchmakingPlayersResponse {
public:
    void AddPlayerToList(const char* name, int score, float time) override
    {
        events.push_back(std::string(name) + " " + std::to_string(score) + " " + std::to_string(static_cast<int>(time)));
    }
    void PlayersFailedToRespond() override { events.push_back("failed"); }
    void PlayersRefreshComplete() override { events.push_back("complete"); }
    std::vector<std::string> events;
};

class SteamMatchmakingServersTest : public ::testing::Test {
protected:
    void Start(const std::string& serverFile)
    {
        SteamTestFolder::WriteFile(folder.Path() + "/servers.txt", serverFile);
        ASSERT_TRUE(SteamAPI_InitSafe());
        ASSERT_TRUE(context.Init());
        servers = context.SteamMatchmakingServers();
        receiver.servers = servers;
    }
    void TearDown() override { SteamAPI_Shutdown(); }

    HServerListRequest Internet(const char* gameDir, AppId_t app = 4120)
    {
        MatchMakingKeyValuePair_t filter;
        std::strcpy(filter.m_szKey, "gamedir");
        std::strcpy(filter.m_szValue, gameDir);
        MatchMakingKeyValuePair_t* filters = &filter;
        return servers->RequestInternetServerList(app, &filters, 1, &receiver);
    }

    SteamTestFolder folder;
    CSteamAPIContext context;
    ISteamMatchmakingServers* servers = nullptr;
    Receiver receiver;
};

const char kServers[] =
    "# comment\n"
    "server\tinternet\t1.2.3.4:27015\t27016\tzorvan\t20\tOne\tmap1\tDesc\t1\t2\t3\t1\t99\tzv:a\n"
    "server\tinternet,lan\t1.2.3.5:27015\r\n"
    "server\tinternet\t1.2.3.6:27015\t\tzorvan\t\t\t\t\t\t\t\t\t\t\t0\n"
    "server\tinternet\t1.2.3.7:27015\t\tOTHER\n"
    "server\tinternet\t1.2.3.999:27015\n"       // bad address
    "server\tinternet\t1.2.3.8:27015\tport\n"   // bad query port
    "server\tinternet\t1.2.3.9\n"               // no port
    "server\tinternet\t1.2.3.10:27015\t\t\t\t\t\t\t\t\t\t2\n"  // password must be 0 or 1
    "server\tinternet\t1.2.3.11:27015\t-1\n"                     // negative query port
    "server\tinternet\t1.2.3.12:70000\n"                          // port out of range
    "server\tinternet\t1.2.3.13:1\t\t\t99999999999999999999999\n" // ping out of range
    "server\tinternet\t1.2.3.14:1\t\t\t\t\t\t\t1e3\n"           // players not a whole number
    "server\tinternet\t01.2.3.4.5:1\n"
    "server\tinternet\n"
    "server\n"
    "\n"
    "player\t1.2.3.4:27016\tAnn\t5\t60\n"
    "player\tbad\tBob\n"
    "nonsense line\n";

TEST_F(SteamMatchmakingServersTest, ListsParsedServersOnTheNextRun)
{
    Start(kServers);
    HServerListRequest request = Internet("zorvan");
    ASSERT_NE(nullptr, request);
    EXPECT_TRUE(receiver.events.empty());
    SteamAPI_RunCallbacks();
    EXPECT_EQ((std::vector<std::string>{"ok 0", "ok 1", "fail 2", "done 0"}), receiver.events);
    ASSERT_EQ(3, servers->GetServerCount(request));
    gameserveritem_t* one = servers->GetServerDetails(request, 0);
    ASSERT_NE(nullptr, one);
    EXPECT_STREQ("1.2.3.4:27015", one->m_NetAdr.GetConnectionAddressString());
    EXPECT_STREQ("1.2.3.4:27016", one->m_NetAdr.GetQueryAddressString());
    EXPECT_EQ(20, one->m_nPing);
    EXPECT_STREQ("One", one->GetName());
    EXPECT_STREQ("map1", one->m_szMap);
    EXPECT_STREQ("Desc", one->m_szGameDescription);
    EXPECT_EQ(1, one->m_nPlayers);
    EXPECT_EQ(2, one->m_nMaxPlayers);
    EXPECT_EQ(3, one->m_nBotPlayers);
    EXPECT_TRUE(one->m_bPassword);
    EXPECT_EQ(99u, one->m_ulTimeLastPlayed);
    EXPECT_STREQ("zv:a", one->m_szGameTags);
    EXPECT_EQ(4120u, one->m_nAppID);
    gameserveritem_t* two = servers->GetServerDetails(request, 1);
    EXPECT_EQ(27015, two->m_NetAdr.GetQueryPort());
    EXPECT_STREQ("", two->GetName());
    EXPECT_EQ(nullptr, servers->GetServerDetails(request, 3));
    EXPECT_EQ(nullptr, servers->GetServerDetails(request, -1));
    servers->ReleaseRequest(request);
    EXPECT_EQ(nullptr, servers->GetServerDetails(request, 0));
    SteamAPI_RunCallbacks();
    EXPECT_EQ(4u, receiver.events.size());
}

TEST_F(SteamMatchmakingServersTest, FiltersAndApplications)
{
    Start(kServers);
    servers->ReleaseRequest(Internet("other"));  // released before any answer: none comes
    HServerListRequest lan = servers->RequestLANServerList(4120, &receiver);
    SteamAPI_RunCallbacks();
    EXPECT_EQ((std::vector<std::string>{"ok 0", "done 0"}), receiver.events);
    servers->ReleaseRequest(lan);
    receiver.events.clear();
    HServerListRequest other = Internet("other");
    SteamAPI_RunCallbacks();
    EXPECT_EQ((std::vector<std::string>{"ok 0", "done 0"}), receiver.events);  // case ignored
    servers->ReleaseRequest(other);
    receiver.events.clear();
    HServerListRequest app = Internet("zorvan", 480);
    SteamAPI_RunCallbacks();
    EXPECT_EQ((std::vector<std::string>{"done 2"}), receiver.events);
    servers->ReleaseRequest(app);
}

TEST_F(SteamMatchmakingServersTest, ReceiversMayCancelOrReleaseWhileAnswered)
{
    Start(kServers);
    receiver.releaseAfter = 1;
    Internet("zorvan");
    SteamAPI_RunCallbacks();
    EXPECT_EQ((std::vector<std::string>{"ok 0"}), receiver.events);
    receiver.events.clear();
    receiver.releaseAfter = -1;
    receiver.cancelAfter = 2;
    HServerListRequest request = Internet("zorvan");
    SteamAPI_RunCallbacks();
    SteamAPI_RunCallbacks();
    EXPECT_EQ((std::vector<std::string>{"ok 0", "ok 1"}), receiver.events);
    servers->ReleaseRequest(request);
}

TEST_F(SteamMatchmakingServersTest, HugeAndBinaryLinesAreSurvived)
{
    std::string file = "server\tinternet\t1.2.3.4:1\t\t\t\t" + std::string(1 << 20, 'n') + "\n";
    file += std::string("server\tinternet\t1.2.3.5:1\t\t\t\tna\0me\t\t\t\t\t\t\t\t\x01\xff\n", 45);
    file += std::string(100000, '\t') + "\n";
    Start(file);
    HServerListRequest request = Internet("zorvan");
    SteamAPI_RunCallbacks();
    EXPECT_EQ((std::vector<std::string>{"ok 0", "ok 1", "done 0"}), receiver.events);
    EXPECT_EQ(63u, std::strlen(servers->GetServerDetails(request, 0)->GetName()));
    EXPECT_STREQ("na", servers->GetServerDetails(request, 1)->GetName());
    EXPECT_STREQ("\x01\xff", servers->GetServerDetails(request, 1)->m_szGameTags);
    servers->ReleaseRequest(request);
}

TEST_F(SteamMatchmakingServersTest, LongTextsAreCutToTheirFields)
{
    Start("server\tinternet\t1.2.3.4:1\t\t\t\t" + std::string(100, 'n') + "\t" + std::string(100, 'm') + "\t" +
          std::string(100, 'd') + "\t\t\t\t\t\t" + std::string(200, 't') + "\n");
    HServerListRequest request = Internet("zorvan");
    SteamAPI_RunCallbacks();
    gameserveritem_t* server = servers->GetServerDetails(request, 0);
    ASSERT_NE(nullptr, server);
    EXPECT_EQ(63u, std::strlen(server->GetName()));
    EXPECT_EQ(31u, std::strlen(server->m_szMap));
    EXPECT_EQ(63u, std::strlen(server->m_szGameDescription));
    EXPECT_EQ(127u, std::strlen(server->m_szGameTags));
    servers->ReleaseRequest(request);
}

TEST_F(SteamMatchmakingServersTest, PlayerQueries)
{
    Start(kServers);
    Players known, silent, unknown, cancelled;
    EXPECT_NE(HSERVERQUERY_INVALID, servers->PlayerDetails(0x01020304, 27016, &known));
    servers->PlayerDetails(0x01020306, 27015, &silent);  // does not answer
    servers->PlayerDetails(0x7f000001, 1, &unknown);
    servers->CancelServerQuery(servers->PlayerDetails(0x01020304, 27016, &cancelled));
    EXPECT_TRUE(known.events.empty());
    SteamAPI_RunCallbacks();
    EXPECT_EQ((std::vector<std::string>{"Ann 5 60", "complete"}), known.events);
    EXPECT_EQ((std::vector<std::string>{"failed"}), silent.events);
    EXPECT_EQ((std::vector<std::string>{"failed"}), unknown.events);
    EXPECT_TRUE(cancelled.events.empty());
}

} // namespace
