// The "system" library: the platform of the build, focus, and the machine's battery, times and
// country as Steam's utilities report them.
#include "lua/LuaLibrary.h"
#include "steam/steam_api.h"

namespace
{
ISteamUtils *Utils() { return steamapicontext ? steamapicontext->SteamUtils() : nullptr; }

LUA_LIBRARY(system);

LUA_FUNCTION(system, IsWindows)
{
#if defined(_WIN32)
	pLua->PushBool(true);
#else
	pLua->PushBool(false);
#endif
	return 1;
}

LUA_FUNCTION(system, IsOSX)
{
#if defined(__APPLE__)
	pLua->PushBool(true);
#else
	pLua->PushBool(false);
#endif
	return 1;
}

LUA_FUNCTION(system, IsLinux)
{
#if defined(_WIN32) || defined(__APPLE__)
	pLua->PushBool(false);
#else
	pLua->PushBool(true);
#endif
	return 1;
}

LUA_FUNCTION(system, HasFocus)
{
	pLua->PushBool(true);
	return 1;
}

// Without Steam's utilities (Steam not running) each fact reads 0 or "".
LUA_FUNCTION(system, BatteryPower)
{
	ISteamUtils *utils = Utils();
	pLua->PushNumber(utils ? utils->GetCurrentBatteryPower() : 0);
	return 1;
}

LUA_FUNCTION(system, AppTime)
{
	ISteamUtils *utils = Utils();
	pLua->PushNumber(utils ? utils->GetSecondsSinceAppActive() : 0);
	return 1;
}

LUA_FUNCTION(system, UpTime)
{
	ISteamUtils *utils = Utils();
	pLua->PushNumber(utils ? utils->GetSecondsSinceComputerActive() : 0);
	return 1;
}

LUA_FUNCTION(system, SteamTime)
{
	ISteamUtils *utils = Utils();
	pLua->PushNumber(utils ? utils->GetServerRealTime() : 0);
	return 1;
}

LUA_FUNCTION(system, GetCountry)
{
	ISteamUtils *utils = Utils();
	const char *country = utils ? utils->GetIPCountry() : nullptr;
	pLua->PushString(country ? country : "", 0);
	return 1;
}
}
