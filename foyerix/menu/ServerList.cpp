// The "serverlist" library: server lists and the players of one server from Steam's server
// browser. Both request objects receive Steam's answers during its callback dispatch and
// delete themselves when their request ends.
#include "menu/ServerList.h"

#include <cstring>

#include "Kestrum/Utility/String.h"
#include "lua/LuaLibrary.h"
#include "lua/LuaObject.h"
#include "steam/steam_api.h"
#include "tier1/netadr.h"
#include "tier1/strtools.h"

#include "menu/SteamSettings.h"

namespace ServerList
{
std::string TagValue(const char (&tags)[kTagFieldSize], const char *prefix)
{
	size_t prefixLength = strlen(prefix);
	// The prefix is searched at every byte position of the field, NULs included.
	size_t lastStart = kTagFieldSize - 2 - prefixLength;
	for (size_t pos = 0; pos <= lastStart; ++pos)
	{
		if (memcmp(tags + pos, prefix, prefixLength) != 0)
			continue;
		std::string value;
		for (size_t i = pos + prefixLength; i < static_cast<size_t>(kTagFieldSize); ++i)
		{
			char c = tags[i];
			if (c == '\0' || c == ' ' || c == ',' || c == ';')
				break;
			value += c;
		}
		return value;
	}
	return std::string();
}

std::string DescriptionOrGameMode(const std::string &description, const std::string &gameMode)
{
	// Twenty-one bytes; 0xC2 0xAC is the negation sign in UTF-8, the full stop appears twice.
	static const char kRefused[] = ",./*\\#~`\xC2\xAC{}=+_[]().\"";
	static_assert(sizeof(kRefused) - 1 == 21, "the refusal set has 21 bytes");
	if (description.size() >= 3 && description.size() <= 32 &&
	    !Kestrum::String::Test::ContainsAny(description, kRefused))
		return description;
	return gameMode;
}
}

namespace
{
// A text field of a Steam record, up to its NUL or the field's end.
template <size_t N>
std::string FieldText(const char (&field)[N])
{
	return std::string(field, strnlen(field, N));
}

class CServerQuery : public ISteamMatchmakingServerListResponse
{
public:
	// References the options table at the stack index and starts the request its Type names.
	explicit CServerQuery(int iOptions) : m_hRequest(nullptr), m_Options(iOptions, -1)
	{
		std::string type = m_Options.GetMemberStr("Type", "internet");
		std::string gameDir = m_Options.GetMemberStr("GameDir", "zorvan");
		AppId_t appId = static_cast<AppId_t>(m_Options.GetMemberInt("AppID", static_cast<int>(kZorvanAppId)));

		MatchMakingKeyValuePair_t filter;
		V_strncpy(filter.m_szKey, "gamedir", sizeof(filter.m_szKey));
		V_strncpy(filter.m_szValue, gameDir.c_str(), sizeof(filter.m_szValue));
		MatchMakingKeyValuePair_t *filters = &filter;

		ISteamMatchmakingServers *servers = steamapicontext ? steamapicontext->SteamMatchmakingServers() : nullptr;
		if (!servers)
			return;
		if (type == "internet")
			m_hRequest = servers->RequestInternetServerList(appId, &filters, 1, this);
		else if (type == "lan")
			m_hRequest = servers->RequestLANServerList(appId, this);
		else if (type == "favorite")
			m_hRequest = servers->RequestFavoritesServerList(appId, &filters, 1, this);
		else if (type == "history")
			m_hRequest = servers->RequestHistoryServerList(appId, &filters, 1, this);
	}

	~CServerQuery() override
	{
		if (m_hRequest)
			Release(m_hRequest);
	}

	// Whether a request was made: one that was not is never answered.
	bool IsRequested() const { return m_hRequest != nullptr; }

	void ServerResponded(HServerListRequest hRequest, int iServer) override
	{
		ISteamMatchmakingServers *servers = steamapicontext ? steamapicontext->SteamMatchmakingServers() : nullptr;
		gameserveritem_t *server = servers ? servers->GetServerDetails(hRequest, iServer) : nullptr;
		if (!server || !server->m_bHadSuccessfulResponse)
			return;

		std::string gameMode = ServerList::TagValue(server->m_szGameTags, "zv:");
		std::string workshopId = ServerList::TagValue(server->m_szGameTags, "zvws:");
		if (gameMode.empty())
			return;
		Kestrum::String::Lower(gameMode);

		CLuaObject callback;
		m_Options.GetMember("Callback", &callback);
		if (!callback.isFunction())
			return;

		std::string description = ServerList::DescriptionOrGameMode(FieldText(server->m_szGameDescription), gameMode);
		const char *pName = server->GetName();
		std::string name(pName, strnlen(pName, 64));  // the name field holds 64 bytes

		callback.Push();
		g_Lua->PushNumber(server->m_nPing);
		if (name.empty())
			g_Lua->PushString(server->m_NetAdr.GetConnectionAddressString(), 0);
		else
			PushText(name);
		PushText(description);
		PushText(FieldText(server->m_szMap));
		g_Lua->PushNumber(server->m_nPlayers);
		g_Lua->PushNumber(server->m_nMaxPlayers);
		g_Lua->PushNumber(server->m_nBotPlayers);
		g_Lua->PushBool(server->m_bPassword);
		g_Lua->PushNumber(server->m_ulTimeLastPlayed);
		g_Lua->PushString(server->m_NetAdr.GetQueryAddressString(), 0);
		PushText(gameMode);
		PushText(workshopId);
		PushText(FieldText(server->m_szGameTags));
		g_Lua->Call(13, 0);
	}

	void ServerFailedToRespond(HServerListRequest, int) override {}

	void RefreshComplete(HServerListRequest hRequest, EMatchMakingServerResponse) override
	{
		if (!m_hRequest || !hRequest)
			return;
		m_hRequest = nullptr;
		CLuaObject finished;
		m_Options.GetMember("Finished", &finished);
		if (finished.isFunction())
		{
			finished.Push();
			g_Lua->Call(0, 0);
		}
		Release(hRequest);
		delete this;
	}

private:
	static void PushText(const std::string &text)
	{
		if (text.empty())
			g_Lua->PushString("", 0);
		else
			g_Lua->PushString(text.data(), static_cast<unsigned int>(text.size()));
	}

	static void Release(HServerListRequest hRequest)
	{
		ISteamMatchmakingServers *servers = steamapicontext ? steamapicontext->SteamMatchmakingServers() : nullptr;
		if (!servers)
			return;
		servers->CancelQuery(hRequest);
		servers->ReleaseRequest(hRequest);
	}

	HServerListRequest m_hRequest;
	CLuaObject m_Options;
};

class CPlayerQuery : public ISteamMatchmakingPlayersResponse
{
public:
	// References the callback at the stack index.
	explicit CPlayerQuery(int iCallback) : m_Callback(iCallback, -1), m_iNext(1) {}

	void AddPlayerToList(const char *pchName, int nScore, float flTimePlayed) override
	{
		// After a menu reload the table belongs to a state that is gone: nothing is kept.
		if (!m_Players.isTable())
			return;
		CLuaTable player;
		player.SetMember("name", pchName ? pchName : "");
		player.SetMemberDouble("score", nScore);
		player.SetMember("time", flTimePlayed);
		m_Players.SetMember(static_cast<float>(m_iNext), &player);
		++m_iNext;
	}

	void PlayersFailedToRespond() override { Report(); }
	void PlayersRefreshComplete() override { Report(); }

private:
	void Report()
	{
		// The callback of a state that is gone (menu reload) is not called.
		if (m_Players.isTable())
		{
			m_Callback.Push();
			m_Players.Push();
			g_Lua->Call(1, 0);
		}
		delete this;
	}

	CLuaTable m_Players;
	CLuaObject m_Callback;
	int m_iNext;
};

LUA_LIBRARY(serverlist);

LUA_FUNCTION(serverlist, Query)
{
	if (pLua->GetType(1) != LUA_TYPE_TABLE)
		return 0;
	CServerQuery *query = new CServerQuery(1);
	// A Type that names no list makes no request: nothing would ever answer or free it.
	if (!query->IsRequested())
		delete query;
	return 0;
}

LUA_FUNCTION(serverlist, PlayerList)
{
	const char *address = pLua->CheckString(1);
	ISteamMatchmakingServers *servers = steamapicontext ? steamapicontext->SteamMatchmakingServers() : nullptr;
	if (!servers)
		return 0;
	CPlayerQuery *query = new CPlayerQuery(2);
	netadr_t adr;
	adr.SetIP(0);
	adr.SetPort(0);
	adr.SetType(NA_IP);
	adr.SetFromString(address, true);
	// A query Steam refuses is never answered: it is freed at once.
	if (servers->PlayerDetails(adr.GetIPHostByteOrder(), adr.GetPort(), query) == HSERVERQUERY_INVALID)
		delete query;
	return 0;
}
}
