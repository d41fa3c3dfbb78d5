// Global functions of the menu Lua API: output, errors, code loading, metatables, time,
// colours, localisation and type tests.
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/ivengineclient.h"
#include "lua/ColorConversion.h"
#include "lua/LuaLibrary.h"
#include "lua/LuaObject.h"
#include "tier0/platform.h"
#include "tier1/tier3.h"
#include "vgui/ILocalize.h"
#include "vgui/ISystem.h"

namespace
{
// The text of the arguments from `first` on, each through the global tostring, run together.
std::string JoinArguments(ILuaInterface *pLua, int first)
{
	int count = pLua->Top();
	CLuaObject tostring;
	pLua->Global()->GetMember("tostring", &tostring);
	std::string text;
	for (int i = first; i <= count; ++i)
	{
		CLuaObject arg(i, -1);
		tostring.Push();
		arg.Push();
		const char *s = pLua->CallInternalGetString(1);
		text += s ? s : "ERROR";
	}
	return text;
}

std::string Lowered(const char *s)
{
	std::string out = s ? s : "";
	for (char &c : out)
		c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
	return out;
}

int ColourChannel(ILuaObject *table, const char *name)
{
	return TruncateToInt(table->GetMemberFloat(name, 255)) & 0xFF;
}
}

LUA_GLOBAL_FUNCTION(DebugInfo)
{
	int line = TruncateToInt(pLua->CheckNumber(1));
	const char *text = pLua->CheckString(2);
	if (engine)
		engine->Con_NPrintf(line, "%s", text);
	return 0;
}

LUA_GLOBAL_FUNCTION(Msg)
{
	pLua->Print(JoinArguments(pLua, 1).c_str());
	return 0;
}

LUA_GLOBAL_FUNCTION(MsgC)
{
	Color colour(0, 200, 255, 255);
	ILuaObject *arg = pLua->GetObject(1);
	if (arg && arg->isTable())
		colour.SetColor(ColourChannel(arg, "r"), ColourChannel(arg, "g"), ColourChannel(arg, "b"), ColourChannel(arg, "a"));
	pLua->MsgColour(colour, "%s", JoinArguments(pLua, 2).c_str());
	return 0;
}

LUA_GLOBAL_FUNCTION(MsgN)
{
	pLua->Print((JoinArguments(pLua, 1) + "\n").c_str());
	return 0;
}

static int PrintError(ILuaInterface *pLua)
{
	std::string text = JoinArguments(pLua, 1);
	if (text.size() > 4095)
		text.resize(4095);
	pLua->ErrorNoHalt("%s", text.c_str());
	return 0;
}

LUA_GLOBAL_FUNCTION(Error) { return PrintError(pLua); }
LUA_GLOBAL_FUNCTION(ErrorNoHalt) { return PrintError(pLua); }

LUA_GLOBAL_FUNCTION(include)
{
	std::string path = Lowered(pLua->CheckString(1));
	pLua->IncludeFile(path.c_str());
	return 0;
}

LUA_GLOBAL_FUNCTION(FindMetaTable)
{
	const char *name = pLua->CheckString(1);
	ILuaObject *meta = pLua->GetMetaTableObject(name, -1);
	if (!meta)
		return 0;
	meta->Push();
	pLua->DeleteObject(meta);
	return 1;
}

static int PlatformTime(ILuaInterface *pLua)
{
	pLua->PushNumber(Plat_FloatTime());
	return 1;
}

LUA_GLOBAL_FUNCTION(SysTime) { return PlatformTime(pLua); }
LUA_GLOBAL_FUNCTION(VGUIFrameTime) { return PlatformTime(pLua); }

LUA_GLOBAL_FUNCTION(HSVToColor)
{
	float h = static_cast<float>(pLua->CheckNumber(1));
	float s = static_cast<float>(pLua->CheckNumber(2));
	float v = static_cast<float>(pLua->CheckNumber(3));
	Color c = HSVToColor(h, s, v);
	CLuaTable table;
	table.SetMember("r", static_cast<float>(c.r()));
	table.SetMember("g", static_cast<float>(c.g()));
	table.SetMember("b", static_cast<float>(c.b()));
	table.SetMember("a", static_cast<float>(c.a()));
	table.Push();
	return 1;
}

LUA_GLOBAL_FUNCTION(ColorToHSV)
{
	int r = 255, g = 255, b = 255;
	ILuaObject *arg = pLua->GetObject(1);
	if (arg && arg->isTable())
	{
		r = TruncateToInt(arg->GetMemberFloat("r", 255));
		g = TruncateToInt(arg->GetMemberFloat("g", 255));
		b = TruncateToInt(arg->GetMemberFloat("b", 255));
	}
	float h, s, v;
	RGBtoHSV(r, g, b, h, s, v);
	pLua->PushNumber(h);
	pLua->PushNumber(s);
	pLua->PushNumber(v);
	return 3;
}

static int VGuiTime(ILuaInterface *pLua)
{
	pLua->PushNumber(g_pVGuiSystem ? g_pVGuiSystem->GetCurrentTime() : 0.0);
	return 1;
}

LUA_GLOBAL_FUNCTION(UnPredictedCurTime) { return VGuiTime(pLua); }
LUA_GLOBAL_FUNCTION(CurTime) { return VGuiTime(pLua); }

LUA_GLOBAL_FUNCTION(Localize)
{
	const char *token = pLua->CheckString(1);
	char key[128];
	snprintf(key, sizeof(key), "#%s", token);
	if (g_pVGuiLocalize && g_pVGuiLocalize->Find(key))
		pLua->PushString(key, 0);
	else if (pLua->IsType(2, LUA_TYPE_STRING))
		pLua->Push(2);
	else
		pLua->PushString(token, 0);
	return 1;
}

LUA_GLOBAL_FUNCTION(RunString)
{
	const char *code = pLua->CheckString(1);
	pLua->RunString("RunString", "", code, true, true);
	return 0;
}

LUA_GLOBAL_FUNCTION(RunStringEx)
{
	const char *code = pLua->CheckString(1);
	const char *name = pLua->CheckString(2);
	pLua->RunString(name, "", code, true, true);
	return 0;
}

LUA_GLOBAL_FUNCTION(CompileString)
{
	const char *code = pLua->CheckString(1);
	const char *name = pLua->CheckString(2);
	bool handleErrors = pLua->IsType(3, LUA_TYPE_BOOL) ? pLua->GetBool(3) : true;
	if (pLua->CompileString(name, code))
		return 1;
	if (!handleErrors)
		return 1;
	const char *error = pLua->GetString(-1, nullptr);
	pLua->ErrorNoHalt("%s", error ? error : "compile error");
	pLua->Pop(1);
	return 0;
}

LUA_GLOBAL_FUNCTION(require)
{
	std::string name = Lowered(pLua->CheckString(1));
	if (name != "timer")
		pLua->Require(name.c_str());
	return 0;
}

LUA_GLOBAL_FUNCTION(type)
{
	const char *name = pLua->GetTypeNameOf(1);
	pLua->PushString(name ? name : "nil", 0);
	return 1;
}

#define LUA_IS_TYPE(name, id)                       \
	LUA_GLOBAL_FUNCTION(name)                       \
	{                                               \
		pLua->PushBool(pLua->IsType(1, id));        \
		return 1;                                   \
	}

LUA_IS_TYPE(istable, 5)
LUA_IS_TYPE(isstring, 4)
LUA_IS_TYPE(isnumber, 3)
LUA_IS_TYPE(isvector, 10)
LUA_IS_TYPE(isangle, 11)
LUA_IS_TYPE(isbool, 1)
LUA_IS_TYPE(isfunction, 6)
LUA_IS_TYPE(isentity, 9)
LUA_IS_TYPE(ispanel, 22)
