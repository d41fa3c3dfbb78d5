// The menu plug-in's host pointers and its menu Lua state, kept from start-up on.
#pragma once

class ILuaInterface;
class LuaSharedService;
class IGet;
class IZorvan;
class CGlobalVarsBase;
class IVEngineClient;
class CSteamAPIContext;

// The menu state's interface; null until the menu state exists and after it is closed.
extern ILuaInterface *g_Lua;
extern IGet *get;
extern IZorvan *izorvan;
extern CGlobalVarsBase *gpGlobals;
extern IVEngineClient *engine;
// The plug-in's table of Steam interfaces; empty until the host start-up fills it.
extern CSteamAPIContext *steamapicontext;

// The host's shared Lua service, asked of the accessor on every use.
LuaSharedService *LuaShared();
