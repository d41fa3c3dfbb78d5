// The menu's global functions and the `game` library: the game UI's commands, the server's
// download lists, joining servers, running code in the client state, opening folders, console
// completion and the headers of saved games and demos.
#include <cstring>
#include <string>
#include <vector>

#include "GameUI/IGameUI.h"
#include "engine/ienginevgui.h"
#include "engine/ivengineclient.h"
#include "filesystem/IFileSystem.h"
#include "icvar.h"
#include "lua/ILuaShared.h"
#include "lua/LuaLibrary.h"
#include "lua/LuaObject.h"
#include "menu/FrameTime.h"
#include "menu/HostInterfaces.h"
#include "menu/SaveDemoHeaders.h"
#include "networkstringtabledefs.h"
#include "tier0/dbg.h"
#include "tier1/KeyValues.h"
#include "tier1/convar.h"
#include "tier1/strtools.h"
#include "tier1/tier1.h"
#include "tier1/tier2.h"
#include "tier1/tier3.h"
#include "tier1/utlbuffer.h"
#include "tier1/utlstring.h"
#include "tier1/utlvector.h"
#include "vgui/IPanel.h"
#include "vgui/ISystem.h"

namespace
{
// The named network string table, or null when the container or the table is missing.
INetworkStringTable *FindStringTable(const char *name)
{
	return networkstringtable ? networkstringtable->FindTable(name) : nullptr;
}

// The first descendant of the panel with exactly that name: depth first, children in the
// engine's order, each child tested before its own children; 0 when there is none.
vgui::VPANEL FindPanelNamed(vgui::VPANEL start, const char *name)
{
	if (!start || !g_pVGuiPanel)
		return 0;
	struct Level
	{
		vgui::VPANEL panel;
		int next;
	};
	std::vector<Level> stack{{start, 0}};
	while (!stack.empty())
	{
		Level &level = stack.back();
		if (level.next >= g_pVGuiPanel->GetChildCount(level.panel))
		{
			stack.pop_back();
			continue;
		}
		vgui::VPANEL child = g_pVGuiPanel->GetChild(level.panel, level.next++);
		if (!child)
			continue;
		const char *childName = g_pVGuiPanel->GetName(child);
		if (childName && strcmp(childName, name) == 0)
			return child;
		stack.push_back({child, 0});
	}
	return 0;
}

// The engine's loading dialog, or 0.
vgui::VPANEL FindLoadingDialog()
{
	vgui::VPANEL root = enginevgui ? enginevgui->GetPanel(PANEL_ROOT) : 0;
	return root ? FindPanelNamed(root, "LoadingDialog") : 0;
}

// Text that would end or chain a console line; an address holding it is not run.
bool BreaksCommandLine(const char *text)
{
	return strpbrk(text, ";\n\r\"") != nullptr;
}

// Appends text at the table's next integer key, with a space after it unless it has one.
void AddCompletion(CLuaTable &table, float &key, const char *text)
{
	std::string entry(text);
	if (!strchr(text, ' '))
		entry += ' ';
	table.SetMember(key, entry.c_str());
	key += 1;
}
}

LUA_GLOBAL_FUNCTION(RunGameUICommand)
{
	const char *command = pLua->CheckString(1);
	if (command && gameui)
		gameui->SendMainMenuCommand(command);
	return 0;
}

LUA_GLOBAL_FUNCTION(CancelLoading)
{
	vgui::VPANEL dialog = FindLoadingDialog();
	if (!dialog)
		return 0;
	KeyValues *message = new KeyValues("Command", "command", "Cancel");
	g_pVGuiPanel->SendMessage(dialog, message, dialog);
	message->deleteThis();
	return 0;
}

LUA_GLOBAL_FUNCTION(GetLoadStatus)
{
	vgui::VPANEL dialog = FindLoadingDialog();
	vgui::VPANEL label = dialog ? FindPanelNamed(dialog, "InfoLabel") : 0;
	if (!label)
		return 0;
	KeyValues *request = new KeyValues("GetText");
	int results = 0;
	if (g_pVGuiPanel->RequestInfo(label, request) && request->FindKey("text"))
	{
		pLua->PushString(request->GetString("text"));
		results = 1;
	}
	request->deleteThis();
	return results;
}

LUA_GLOBAL_FUNCTION(TranslateDownloadableName)
{
	const char *name = pLua->CheckString(1);
	if (!name)
		return 0;
	INetworkStringTable *table = FindStringTable("client_lua_files");
	if (!table)
		return 0;
	char base[64];
	V_FileBase(name, base, sizeof(base));
	int count = table->GetNumStrings();
	for (int i = 0; i < count; ++i)
	{
		const char *entry = table->GetString(i);
		if (entry && strncmp(entry, base, strlen(entry)) == 0)
		{
			pLua->PushString("Lua Cache File");
			return 1;
		}
	}
	return 0;
}

LUA_GLOBAL_FUNCTION(GetDownloadables)
{
	INetworkStringTable *table = FindStringTable("downloadables");
	if (!table)
		return 0;
	CLuaTable result;
	int count = table->GetNumStrings();
	for (int i = 0; i < count; ++i)
	{
		const char *entry = table->GetString(i);
		result.SetMember(static_cast<float>(i + 1), entry ? entry : "");
	}
	result.Push();
	return 1;
}

LUA_GLOBAL_FUNCTION(NumDownloadables)
{
	if (!networkstringtable)
		return 0;
	INetworkStringTable *table = networkstringtable->FindTable("downloadables");
	pLua->PushNumber(table ? table->GetNumStrings() : 0);
	return 1;
}

LUA_GLOBAL_FUNCTION(FrameTime)
{
	pLua->PushNumber(g_fFrameTime);
	return 1;
}

LUA_GLOBAL_FUNCTION(GetDefaultLoadingHTML)
{
	pLua->PushString("asset://zorvan/html/loading.html");
	return 1;
}

LUA_GLOBAL_FUNCTION(IsInGame)
{
	pLua->PushBool(engine && engine->IsInGame());
	return 1;
}

LUA_GLOBAL_FUNCTION(ConsoleAutoComplete)
{
	const char *text = pLua->CheckString(1);
	CLuaTable result;
	if (!text || !*text || !g_pCVar)
		return 0;

	float key = 1;
	if (!strchr(text, ' '))
	{
		int length = static_cast<int>(strlen(text));
		int count = g_pCVar->GetCommandCount();
		for (int i = 0; i < count; ++i)
		{
			ConCommandBase *command = g_pCVar->GetCommandAt(i);
			if (!command || command->IsFlagSet(0x2) || command->IsFlagSet(0x10))
				continue;
			const char *name = command->GetName();
			if (name && V_strnicmp(name, text, length) == 0)
				AddCompletion(result, key, name);
		}
		result.Push();
		return 1;
	}

	char name[256];
	V_strncpy(name, text, sizeof(name));
	if (char *space = strchr(name, ' '))
		*space = '\0';
	ConCommand *command = g_pCVar->FindCommand(name);
	if (!command || !command->CanAutoComplete())
		return 0;
	CUtlVector<CUtlString> suggestions;
	command->AutoCompleteSuggest(text, suggestions);
	for (int i = 0; i < suggestions.Count(); ++i)
		AddCompletion(result, key, suggestions[i].Get());
	result.Push();
	return 1;
}

LUA_LIBRARY(game);

LUA_FUNCTION(game, GetMap)
{
	const char *level = engine ? engine->GetLevelName() : nullptr;
	if (!level)
	{
		pLua->PushString("menu");
		return 1;
	}
	char stripped[512];
	V_StripExtension(level, stripped, sizeof(stripped));
	size_t length = strlen(stripped);
	if (length < 3)
		pLua->PushString("menu");
	else if (length < 5)
		pLua->PushString("", 0);  // nothing is left once the folder part is skipped
	else
		pLua->PushString(stripped + 5);
	return 1;
}

LUA_GLOBAL_FUNCTION(JoinServer)
{
	const char *address = pLua->CheckString(1);
	// An address that would end the connect line could run further console commands.
	if (!address || !engine || BreaksCommandLine(address))
		return 0;
	char command[256];
	V_snprintf(command, sizeof(command), "connect %s %s\n", address, "serverbrowser");
	engine->ClientCmd_Unrestricted(command);
	return 0;
}

LUA_GLOBAL_FUNCTION(RunOnClient)
{
	const char *code = pLua->CheckString(1);
	LuaSharedService *shared = LuaShared();
	ILuaInterface *client = shared ? shared->GetLuaInterface(LUASTATE_CLIENT) : nullptr;
	if (code && client)
		client->RunString("", "", code, true, false);
	return 0;
}

LUA_GLOBAL_FUNCTION(OpenFolder)
{
	const char *path = pLua->CheckString(1);
	if (!path || !g_pFullFileSystem)
		return 0;
	char full[512];
	if (g_pFullFileSystem->RelativePathToFullPath(path, "MOD", full, sizeof(full)) && g_pVGuiSystem)
		g_pVGuiSystem->ShellExecute("open", full);
	return 0;
}

LUA_GLOBAL_FUNCTION(GetSaveFileDetails)
{
	const char *path = pLua->CheckString(1);
	if (!path)
		return 0;
	CUtlBuffer buf;
	if (!g_pFullFileSystem || !g_pFullFileSystem->ReadFile(path, "GAME", buf))
	{
		Msg("GetSaveFileDetails: Couldn't open file");
		return 0;
	}
	zv_save_header header;
	if (!ReadSaveHeader(buf, header))
	{
		Msg("GetSaveFileDetails/ReadFromBuffer: Invalid save file");
		return 0;
	}
	CLuaTable result;
	result.SetMember("map", header.mapname);
	result.SetMember("time", 0.0f);
	result.SetMemberDouble("size", static_cast<double>(buf.TellMaxPut() - buf.TellGet()));
	result.Push();
	return 1;
}

LUA_GLOBAL_FUNCTION(GetDemoFileDetails)
{
	const char *path = pLua->CheckString(1);
	if (!path || !g_pFullFileSystem)
		return 0;
	// Only the header is looked at, so only the header is read.
	CUtlBuffer buf;
	if (!g_pFullFileSystem->ReadFile(path, "GAME", buf, static_cast<int>(ZvDemoHeader::kSize)))
		return 0;
	ZvDemoHeader header;
	if (!ReadDemoHeader(static_cast<const unsigned char *>(buf.Base()), static_cast<size_t>(buf.TellMaxPut()),
	                    header))
		return 0;
	CLuaTable result;
	result.SetMemberDouble("demoprotocol", header.demoprotocol);
	result.SetMemberDouble("networkprotocol", header.networkprotocol);
	result.SetMember("servername", header.servername);
	result.SetMember("clientname", header.clientname);
	result.SetMember("mapname", header.mapname);
	result.SetMember("gamedirectory", header.gamedirectory);
	result.SetMemberDouble("playback_time", header.playback_time);
	result.SetMemberDouble("playback_ticks", header.playback_ticks);
	result.SetMemberDouble("playback_frames", header.playback_frames);
	result.SetMemberDouble("signonlength", header.signonlength);
	result.Push();
	return 1;
}
