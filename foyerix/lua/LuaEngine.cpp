// The "engine" library: installed add-ons, mountable games and game modes, mounting game
// content, demo playback and the tick interval.
#include "Kestrum/Utility/String.h"
#include "engine/globalvars_base.h"
#include "engine/ivengineclient.h"
#include "filesystem/IContentManagers.h"
#include "filesystem/IFileSystem.h"
#include "lua/LuaLibrary.h"
#include "lua/LuaObject.h"
#include "tier1/tier2.h"

namespace
{
// A double truncated toward zero into 32 bits; out-of-range values are clamped, NaN reads 0.
int ToInt(double value)
{
	if (!(value == value))
		return 0;
	if (value >= 2147483647.0)
		return 2147483647;
	if (value <= -2147483648.0)
		return -2147483647 - 1;
	return static_cast<int>(value);
}

LUA_LIBRARY(engine);

LUA_FUNCTION(engine, GetAddons)
{
	CLuaTable result;
	IAddonSystem *addons = g_pFullFileSystem ? g_pFullFileSystem->Addons() : nullptr;
	if (addons)
	{
		float key = 1;
		for (const Addon::Information &addon : addons->GetList())
		{
			if (!addon.downloaded)
				continue;
			CLuaTable row;
			row.SetMember("title", addon.title.c_str());
			row.SetMember("file", addon.file.c_str());
			row.SetMember("models", static_cast<float>(addon.models));
			row.SetMember("wsid", Kestrum::ToStr<uint64_t>(addon.wsid).c_str());
			row.SetMember("downloaded", true);
			row.SetMember("mounted", addons->IsMounted(addon.wsid));
			result.SetMember(key, &row);
			key += 1;
		}
	}
	result.Push();
	return 1;
}

LUA_FUNCTION(engine, SetMounted)
{
	int depot = ToInt(pLua->CheckNumber(1));
	bool mounted = pLua->GetBool(2);
	IGameDepotSystem *games = g_pFullFileSystem ? g_pFullFileSystem->Games() : nullptr;
	if (!games)
		return 0;
	games->SetMount(depot, mounted);
	games->Save();
	g_pFullFileSystem->MountedContentChanged();
	return 0;
}

LUA_FUNCTION(engine, GetGames)
{
	CLuaTable result;
	IGameDepotSystem *games = g_pFullFileSystem ? g_pFullFileSystem->Games() : nullptr;
	if (games)
	{
		float key = 1;
		for (const Depot::Information &game : games->GetList())
		{
			CLuaTable row;
			row.SetMember("depot", static_cast<float>(game.depot));
			row.SetMember("mounted", game.mount && game.owned && game.installed);
			row.SetMember("installed", game.installed);
			row.SetMember("owned", game.owned);
			row.SetMember("folder", game.folder.c_str());
			row.SetMember("title", game.title.c_str());
			result.SetMember(key, &row);
			key += 1;
		}
	}
	result.Push();
	return 1;
}

LUA_FUNCTION(engine, GetGamemodes)
{
	CLuaTable result;
	IGamemodeSystem *gamemodes = g_pFullFileSystem ? g_pFullFileSystem->Gamemodes() : nullptr;
	if (gamemodes)
	{
		float key = 1;
		for (const Gamemode::Information &gamemode : gamemodes->GetList())
		{
			CLuaTable row;
			row.SetMember("title", gamemode.title.c_str());
			row.SetMember("name", gamemode.name.c_str());
			row.SetMember("maps", gamemode.maps.c_str());
			row.SetMember("foyerix", gamemode.isMenuMode);
			row.SetMember("workshopid", gamemode.workshopid.c_str());
			result.SetMember(key, &row);
			key += 1;
		}
	}
	result.Push();
	return 1;
}

LUA_FUNCTION(engine, ActiveGamemode)
{
	IGamemodeSystem *gamemodes = g_pFullFileSystem ? g_pFullFileSystem->Gamemodes() : nullptr;
	const Gamemode::Information *active = gamemodes ? gamemodes->Active() : nullptr;
	pLua->PushString(active ? active->name.c_str() : "", 0);
	return 1;
}

LUA_FUNCTION(engine, IsPlayingDemo)
{
	pLua->PushBool(engine && engine->IsPlayingDemo());
	return 1;
}

LUA_FUNCTION(engine, IsRecordingDemo)
{
	pLua->PushBool(engine && engine->IsRecordingDemo());
	return 1;
}

LUA_FUNCTION(engine, GetDemoPlaybackTick)
{
	pLua->PushNumber(engine ? engine->GetDemoPlaybackTick() : 0);
	return 1;
}

LUA_FUNCTION(engine, GetDemoPlaybackStartTick)
{
	pLua->PushNumber(engine ? engine->GetDemoPlaybackStartTick() : 0);
	return 1;
}

LUA_FUNCTION(engine, GetDemoPlaybackTimeScale)
{
	pLua->PushNumber(engine ? engine->GetDemoPlaybackTimeScale() : 1.0f);
	return 1;
}

LUA_FUNCTION(engine, GetDemoPlaybackTotalTicks)
{
	pLua->PushNumber(engine ? engine->GetDemoPlaybackTotalTicks() : 0);
	return 1;
}

LUA_FUNCTION(engine, TickInterval)
{
	pLua->PushNumber(gpGlobals ? gpGlobals->interval_per_tick : 0.0f);
	return 1;
}
}
