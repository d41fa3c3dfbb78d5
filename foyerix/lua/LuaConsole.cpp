// Console access from Lua: reading, creating and running console variables and commands,
// with the guards that keep scripts away from sensitive names.
#include "lua/LuaConsole.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/ivengineclient.h"
#include "icvar.h"
#include "lua/LuaConVar.h"
#include "lua/LuaLibrary.h"
#include "lua/LuaObject.h"
#include "tier1/KeyValues.h"
#include "tier1/strtools.h"
#include "tier1/tier1.h"

// Held for the life of the process, like the console variables themselves.
CUtlVector<ManagedConVar *> &g_ManagedCVars = *new CUtlVector<ManagedConVar *>();
KeyValues *g_pSavedConVarValues = nullptr;

namespace
{
const char *const kRefusedInformation[] = { "rcon_password", "rcon_address", "lua_error_url" };

const char *const kBlockedCommands[] = {
	"_restart", "exec", "bind", "bindtoggle", "alias", "ent_fire", "ent_setname", "sensitivity", "name",
	"r_aspect", "quit", "quti", "exit", "lua_run", "lua_run_cl", "lua_open", "lua_cookieclear",
	"lua_showerrors_cl", "lua_showerrors_sv", "lua_openscript", "lua_openscript_cl", "lua_redownload",
	"lua_reloadents", "lua_reloadents_cl", "gamemode_reload", "mp_flashlight", "gamemode_reload_cl",
	"con_logfile", "clear", "crosshair", "rcon_password", "rcon_address", "echo", "cl_chatfilters",
	"con_enable", "hideconsole", "test_randomchance", "test_startscript", "toggle", "gameui_hide",
	"host_writeconfig", "mat_savechanges", "toggleconsole", "mat_setvideomode", "gameui_preventescapetoshow",
	"plugin_load", "sv_logsdir", "log", "lua_error_url",
};

const char *const kRefusedClientConVars[] = {
	"quit", "rcon_password", "rcon", "exit", "disconnect", "showconsole", "gamemenucommand", "gameui_activate",
	"gameui_hide", "unbindall", "cancelselect", "+forward", "+moveleft", "+moveright", "+back",
};

template <size_t N>
const char *FindCaseless(const char *const (&names)[N], const char *name)
{
	for (const char *candidate : names)
		if (V_stricmp(candidate, name) == 0)
			return candidate;
	return nullptr;
}

bool IsRefusedInformation(const char *name) { return FindCaseless(kRefusedInformation, name) != nullptr; }

char *HeapCopy(const char *text)
{
	text = text ? text : "";
	size_t n = strlen(text) + 1;
	char *copy = new char[n];
	memcpy(copy, text, n);
	return copy;
}

bool IsCommandCharacter(char c)
{
	return isalnum(static_cast<unsigned char>(c)) || strchr("!+-.^_~", c) != nullptr;
}

bool ContainsCaseless(const char *text, const char *word)
{
	size_t n = strlen(word);
	for (const char *p = text; *p; ++p)
		if (V_strnicmp(p, word, static_cast<int>(n)) == 0)
			return true;
	return false;
}
}

ManagedConVar::ManagedConVar(const char *name, const char *defaultValue, int flags, const char *help)
	: m_pConVar(nullptr), m_bSave(false), m_pDefault(HeapCopy(defaultValue))
{
	char *nameCopy = HeapCopy(name);
	char *helpCopy = HeapCopy(help);
	m_pConVar = new ConVar(nameCopy, "", (flags & ~FCVAR_ARCHIVE) | FCVAR_CLIENTCMD_CAN_EXECUTE, helpCopy);
	m_pConVar->SetValue(m_pDefault);
	Set();
	g_ManagedCVars.AddToTail(this);
}

ManagedConVar::~ManagedConVar()
{
	delete[] m_pDefault;
}

void ManagedConVar::Set()
{
	if (m_bSave && g_pSavedConVarValues)
		m_pConVar->SetValue(g_pSavedConVarValues->GetString(m_pConVar->GetName(), m_pDefault));
	else
		m_pConVar->SetValue(m_pDefault);
}

// GetConVarString and GetConVarNumber: a variable's text or number, the engine's player count
// for "maxplayers", else the command line's value; nothing for a refused name.
static int ReadConVar(ILuaInterface *pLua, bool asText)
{
	const char *name = pLua->CheckString(1);
	if (IsRefusedInformation(name))
		return 0;
	if (V_stricmp(name, "maxplayers") == 0)
	{
		pLua->PushNumber(engine ? engine->GetMaxClients() : 1);
		return 1;
	}
	if (ConVar *var = g_pCVar ? g_pCVar->FindVar(name) : nullptr)
	{
		if (!asText)
			pLua->PushNumber(var->GetFloat());
		else
			pLua->PushString(var->IsFlagSet(FCVAR_NEVER_AS_STRING) ? "FCVAR_NEVER_AS_STRING" : var->GetString(), 0);
		return 1;
	}
	const char *value = g_pCVar ? g_pCVar->GetCommandLineValue(name) : nullptr;
	if (asText)
		pLua->PushString(value ? value : "", 0);
	else
		pLua->PushNumber(value ? atof(value) : 0.0);
	return 1;
}

LUA_GLOBAL_FUNCTION(GetConVarString) { return ReadConVar(pLua, true); }
LUA_GLOBAL_FUNCTION(GetConVarNumber) { return ReadConVar(pLua, false); }

LUA_GLOBAL_FUNCTION(ConVarExists)
{
	const char *name = pLua->CheckString(1);
	pLua->PushBool(V_stricmp(name, "maxplayers") == 0 || (g_pCVar && g_pCVar->FindVar(name)));
	return 1;
}

LUA_GLOBAL_FUNCTION(CreateClientConVar)
{
	const char *name = pLua->CheckString(1);
	const char *defaultValue = pLua->CheckString(2);
	if (!g_pCVar || g_pCVar->FindCommand(name) || FindCaseless(kRefusedClientConVars, name))
		return 0;
	bool save = pLua->IsType(3, LUA_TYPE_BOOL) ? pLua->GetBool(3) : true;
	bool userInfo = pLua->IsType(4, LUA_TYPE_BOOL) && pLua->GetBool(4);
	int flags = FCVAR_SERVER_CAN_EXECUTE | FCVAR_DEMO | (userInfo ? FCVAR_USERINFO : 0);
	ConVar *var = g_pCVar->FindVar(name);
	if (!var)
	{
		ManagedConVar *managed = new ManagedConVar(name, defaultValue, flags, nullptr);
		managed->m_pConVar->SetValue(defaultValue);
		managed->SetSave(save);
		managed->Set();
		var = managed->m_pConVar;
	}
	Push_ConVar(var);
	return 1;
}

LUA_GLOBAL_FUNCTION(CreateConVar)
{
	const char *name = pLua->CheckString(1);
	if (!g_pCVar || IsRefusedInformation(name) || g_pCVar->FindCommand(name))
		return 0;
	const char *defaultValue = pLua->CheckString(2);
	int given = pLua->GetInteger(3);
	const char *help = pLua->IsType(4, LUA_TYPE_STRING) ? pLua->GetString(4, nullptr) : nullptr;
	ConVar *var = g_pCVar->FindVar(name);
	if (!var)
	{
		int flags = given & ~FCVAR_ARCHIVE;
		if (!(given & FCVAR_DONTRECORD))
			flags |= FCVAR_DEMO;
		flags |= FCVAR_SERVER_CAN_EXECUTE;
		ManagedConVar *managed = new ManagedConVar(name, defaultValue, flags, help);
		managed->SetSave((given & FCVAR_ARCHIVE) != 0);
		managed->Set();
		var = managed->m_pConVar;
	}
	Push_ConVar(var);
	return 1;
}

LUA_GLOBAL_FUNCTION(GetConVar)
{
	const char *name = pLua->CheckString(1);
	if (IsRefusedInformation(name) || V_stricmp(name, "con_logfile") == 0 || !g_pCVar)
		return 0;
	ConVar *var = g_pCVar->FindVar(name);
	if (!var)
		return 0;
	Push_ConVar(var);
	return 1;
}

LUA_GLOBAL_FUNCTION(RawConsoleCommand)
{
	const char *text = pLua->CheckString(1);
	if (engine)
		engine->ClientCmd_Unrestricted(text);
	return 0;
}

LUA_GLOBAL_FUNCTION(RunConsoleCommand)
{
	const char *command = pLua->CheckString(1);
	for (const char *p = command; *p; ++p)
		if (!IsCommandCharacter(*p))
			pLua->ErrorFormat("RunConsoleCommand: Command has invalid characters! (%s ('%c'))\n\tThe first parameter "
			                  "of this function should contain only the command, the second parameter should "
			                  "contain arguments.",
			                  command, *p);
	if (const char *blocked = FindCaseless(kBlockedCommands, command))
		pLua->ErrorFormat("RunConsoleCommand: Command is blocked! (%s)", blocked);
	if (strlen(command) < 2)
		return 0;

	const size_t kLineSize = 1024;
	std::string line = command;
	if (line.size() > kLineSize - 1)
		line.resize(kLineSize - 1);
	for (int i = 2; i < 64; ++i)
	{
		int type = pLua->GetType(i);
		if (type == LUA_TYPE_NIL)
			break;
		const char *text = pLua->GetString(i, nullptr);
		if (!text)
			break;
		if (ContainsCaseless(text, "con_logfile"))
			return 0;
		std::string arg;
		if (type == LUA_TYPE_NUMBER)
		{
			char number[512];  // a large number's digits are cut at 511 like any text
			snprintf(number, sizeof(number), "%.2f", pLua->GetNumber(i));
			arg = number;
		}
		else
			arg.assign(text, strnlen(text, 511));
		for (char &c : arg)
		{
			if (c == '\n' || c == '\r')
				c = ' ';
			else if (c == '"')
				c = '\'';
		}
		// An argument that does not fit whole is left out, never cut inside its quotes.
		std::string quoted = " \"" + arg + "\"";
		if (line.size() + quoted.size() + 1 > kLineSize - 1)
			continue;
		line += quoted;
	}
	line += ";";
	if (engine)
		engine->ClientCmd_Unrestricted(line.c_str());
	return 0;
}

namespace
{
// The console calls the handlers outside any script, where a Lua error has nothing to unwind
// to; every Lua step (even reading a global, which a metatable on the globals may turn into
// a call) therefore runs inside one protected call, whose failure is printed.
const CCommand *g_pPendingCommand = nullptr;

struct PendingCompletion
{
	const char *partial;
	char (*commands)[COMMAND_COMPLETION_ITEM_LENGTH];
	int count;
};
PendingCompletion *g_pPendingCompletion = nullptr;

bool CallProtected(CFunc body)
{
	g_Lua->PushCFunction(body);
	if (g_Lua->PCall(0, 0, 0))
		return true;
	const char *error = g_Lua->GetString(-1, nullptr);
	g_Lua->ErrorNoHalt("%s", error ? error : "unknown error");
	g_Lua->Pop(1);
	return false;
}

int LuaConCommandBody(lua_State *L)
{
	LuaInterfaceOf(L)->MakeCurrent(L);
	const CCommand &command = *g_pPendingCommand;
	CLuaObject inject;
	g_Lua->Global()->GetMember("InjectConsoleCommand", &inject);
	if (!inject.isFunction())
		return 0;
	inject.Push();
	g_Lua->PushNil();
	g_Lua->PushString(command.ArgC() > 0 ? command.Arg(0) : "", 0);
	CLuaTable args;
	for (int i = 1; i < command.ArgC(); ++i)
		args.SetMember(static_cast<float>(i), command.Arg(i));
	args.Push();
	g_Lua->PushString(command.ArgC() > 0 ? command.ArgS() : "", 0);
	g_Lua->Call(4, 0);
	return 0;
}

int LuaConCommandAutocompleteBody(lua_State *L)
{
	LuaInterfaceOf(L)->MakeCurrent(L);
	PendingCompletion &pending = *g_pPendingCompletion;
	char name[128];
	V_strncpy(name, pending.partial, sizeof(name));
	if (char *space = strchr(name, ' '))
		*space = '\0';
	CLuaObject complete;
	g_Lua->Global()->GetMember("InjectCommandAutocomplete", &complete);
	if (!complete.isFunction())
		return 0;
	complete.Push();
	g_Lua->PushString(name, 0);
	size_t nameLength = strlen(name);
	g_Lua->PushString(strlen(pending.partial) >= nameLength ? pending.partial + nameLength : "", 0);
	CLuaObject result;
	if (!g_Lua->CallInternal(2, &result) || !result.isTable())
		return 0;
	for (int i = 1; i < COMMAND_COMPLETION_MAXITEMS; ++i)
	{
		CLuaObject entry;
		result.GetMember(static_cast<float>(i), &entry);
		if (!entry.isString())
			break;
		snprintf(pending.commands[pending.count], COMMAND_COMPLETION_ITEM_LENGTH, "%s", entry.GetString());
		++pending.count;
	}
	return 0;
}
}

void LuaConCommand(const CCommand &command)
{
	if (!g_Lua)
		return;
	const CCommand *outer = g_pPendingCommand;  // a command may run another from Lua
	g_pPendingCommand = &command;
	CallProtected(LuaConCommandBody);
	g_pPendingCommand = outer;
}

int LuaConCommandAutocomplete(const char *partial,
                              char commands[COMMAND_COMPLETION_MAXITEMS][COMMAND_COMPLETION_ITEM_LENGTH])
{
	if (!g_Lua || !partial)
		return 0;
	PendingCompletion pending = { partial, commands, 0 };
	PendingCompletion *outer = g_pPendingCompletion;
	g_pPendingCompletion = &pending;
	CallProtected(LuaConCommandAutocompleteBody);
	g_pPendingCompletion = outer;
	return pending.count;
}

LUA_GLOBAL_FUNCTION(AddConsoleCommand)
{
	const char *name = pLua->CheckString(1);
	const char *help = pLua->IsType(2, LUA_TYPE_STRING) ? pLua->GetString(2, nullptr) : nullptr;
	int flags = pLua->GetInteger(3);
	if (!g_pCVar || g_pCVar->FindCommandBase(name))
		return 0;
	// Lives until the plug-in is unloaded, like the engine's own commands.
	new ConCommand(HeapCopy(name), LuaConCommand, help ? HeapCopy(help) : nullptr, flags, LuaConCommandAutocomplete);
	return 0;
}
