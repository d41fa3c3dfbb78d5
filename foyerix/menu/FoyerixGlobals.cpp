// The menu plug-in's host pointers and its menu Lua state.
#include "menu/FoyerixGlobals.h"

#include "IGet.h"

ILuaInterface *g_Lua = nullptr;
IGet *get = nullptr;
IZorvan *izorvan = nullptr;
CGlobalVarsBase *gpGlobals = nullptr;
IVEngineClient *engine = nullptr;

LuaSharedService *LuaShared()
{
	return get ? get->LuaShared() : nullptr;
}
