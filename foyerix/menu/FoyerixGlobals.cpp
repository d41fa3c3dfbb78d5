// The menu plug-in's host pointers and its menu Lua state.
#include "menu/FoyerixGlobals.h"

#include "IGet.h"
#include "steam/steam_api.h"

ILuaInterface *g_Lua = nullptr;
IGet *get = nullptr;
IZorvan *izorvan = nullptr;
CGlobalVarsBase *gpGlobals = nullptr;
IVEngineClient *engine = nullptr;

static CSteamAPIContext s_SteamAPIContext;
CSteamAPIContext *steamapicontext = &s_SteamAPIContext;

LuaSharedService *LuaShared()
{
	return get ? get->LuaShared() : nullptr;
}
