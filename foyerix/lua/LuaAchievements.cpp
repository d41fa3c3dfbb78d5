// The "achievements" library: the game's achievements from the engine's achievement manager,
// with their display texts from Steam's user stats.
#include <cmath>

#include "engine/iachievementmgr.h"
#include "engine/ivengineclient.h"
#include "lua/LuaLibrary.h"
#include "steam/steam_api.h"

namespace
{
IAchievementMgr *Manager() { return engine ? engine->GetAchievementMgr() : nullptr; }

// The achievement at the index in argument 1 (truncated toward zero), or null when there is
// no manager or the index is out of range.
IAchievement *AchievementArg(ILuaInterface *pLua)
{
	double number = pLua->CheckNumber(1);
	IAchievementMgr *manager = Manager();
	if (!manager || std::isnan(number))
		return nullptr;
	double index = std::trunc(number);
	int count = manager->GetAchievementCount();
	if (index < 0 || count <= 0 || index >= static_cast<double>(count))
		return nullptr;
	return manager->GetAchievementByIndex(static_cast<int>(index));
}

// Pushes Steam's display attribute of the achievement; nothing when it cannot be had.
int PushDisplayAttribute(ILuaInterface *pLua, const char *key)
{
	IAchievement *achievement = AchievementArg(pLua);
	if (!achievement)
		return 0;
	const char *name = achievement->GetName();
	if (!name || !name[0])
		return 0;
	ISteamUserStats *stats = steamapicontext ? steamapicontext->SteamUserStats() : nullptr;
	if (!stats)
		return 0;
	const char *text = stats->GetAchievementDisplayAttribute(name, key);
	if (!text)
		return 0;
	pLua->PushString(text, 0);
	return 1;
}

LUA_LIBRARY(achievements);

LUA_FUNCTION(achievements, Count)
{
	IAchievementMgr *manager = Manager();
	if (!manager)
		return 0;
	pLua->PushNumber(manager->GetAchievementCount());
	return 1;
}

LUA_FUNCTION(achievements, GetName)
{
	return PushDisplayAttribute(pLua, "name");
}

LUA_FUNCTION(achievements, GetDesc)
{
	return PushDisplayAttribute(pLua, "desc");
}

LUA_FUNCTION(achievements, GetGoal)
{
	IAchievement *achievement = AchievementArg(pLua);
	if (!achievement)
		return 0;
	pLua->PushNumber(achievement->GetGoal());
	return 1;
}

LUA_FUNCTION(achievements, GetCount)
{
	IAchievement *achievement = AchievementArg(pLua);
	if (!achievement)
		return 0;
	pLua->PushNumber(achievement->GetCount());
	return 1;
}

LUA_FUNCTION(achievements, IsAchieved)
{
	IAchievement *achievement = AchievementArg(pLua);
	if (!achievement)
		return 0;
	pLua->PushBool(achievement->IsAchieved());
	return 1;
}
}
