// The Lua class ConVar: a borrowed console variable, read through its methods.
#include "lua/LuaClass.h"
#include "lua/LuaConVar.h"
#include "tier1/convar.h"

CLuaClass LC_ConVar("ConVar", 27, nullptr, nullptr);

void Push_ConVar(ConVar *var) { LC_ConVar.Push(var); }

namespace
{
ConVar &Self()
{
	ConVar *var = static_cast<ConVar *>(LC_ConVar.Get(1));
	if (!var)
		LuaInvalidObject("ConVar");
	return *var;
}
}

LUA_CLASS_METHOD(ConVar, GetName, LC_ConVar)
{
	pLua->PushString(Self().GetName(), 0);
	return 1;
}

LUA_CLASS_METHOD(ConVar, GetHelpText, LC_ConVar)
{
	pLua->PushString(Self().GetHelpText(), 0);
	return 1;
}

LUA_CLASS_METHOD(ConVar, GetString, LC_ConVar)
{
	ConVar &var = Self();
	const char *value = var.IsFlagSet(FCVAR_NEVER_AS_STRING) ? "FCVAR_NEVER_AS_STRING" : var.GetString();
	pLua->PushString(value ? value : "", 0);
	return 1;
}

LUA_CLASS_METHOD(ConVar, GetDefault, LC_ConVar)
{
	pLua->PushString(Self().GetDefault(), 0);
	return 1;
}

LUA_CLASS_METHOD(ConVar, GetFloat, LC_ConVar)
{
	pLua->PushNumber(Self().GetFloat());
	return 1;
}

LUA_CLASS_METHOD(ConVar, GetInt, LC_ConVar)
{
	pLua->PushNumber(Self().GetInt());
	return 1;
}

LUA_CLASS_METHOD(ConVar, GetBool, LC_ConVar)
{
	pLua->PushBool(Self().GetBool());
	return 1;
}
