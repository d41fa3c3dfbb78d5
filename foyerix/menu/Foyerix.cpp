// CFoyerix: start-up and shut-down of the menu plug-in, the menu Lua state and its scripts,
// the per-frame step, and the console command "menu_reload".
#include "menu/Foyerix.h"

#include <string>

#include "IGet.h"
#include "IZorvan.h"
#include "Kestrum/Utility/String.h"
#include "engine/IGameUIFuncs.h"
#include "engine/ienginevgui.h"
#include "engine/ivengineclient.h"
#include "filesystem/IContentManagers.h"
#include "filesystem/IFileSystem.h"
#include "GameUI/IGameUI.h"
#include "lua/ILuaInterface.h"
#include "lua/ILuaShared.h"
#include "lua/LuaClass.h"
#include "lua/LuaLibrary.h"
#include "lua/LuaObject.h"
#include "lua/Timer.h"
#include "menu/FoyerixGlobals.h"
#include "menu/HostInterfaces.h"
#include "menu/LuaMenuCallback.h"
#include "menu/MenuScreen.h"
#include "steam/steam_api.h"
#include "tier0/dbg.h"
#include "tier0/icommandline.h"
#include "tier1/convar.h"
#include "tier1/interface.h"
#include "tier1/tier1.h"
#include "tier1/tier2.h"
#include "tier1/tier3.h"
#include "vgui/IInputInternal.h"
#include "vgui_controls/Controls.h"

CFoyerix g_Foyerix;

IGameUIFuncs *gameuifuncs = nullptr;

namespace
{
void *CreateFoyerix() { return static_cast<IFoyerix *>(&g_Foyerix); }
InterfaceReg s_FoyerixReg(&CreateFoyerix, FOYERIX_INTERFACE_VERSION);

CDllDemandLoader g_GameUIDLL("gameui");

const char *const kMenuScripts[] = { "includes/init_menu.lua", "quorl/init.lua", "includes/vgui_base.lua",
	                                 "skins/default.lua", "includes/menu.lua" };

void MenuReload()
{
	g_Foyerix.RequestReload();
	if (g_pFullFileSystem)
		g_pFullFileSystem->MountedContentChanged();
}
ConCommand menu_reload("menu_reload", MenuReload, "Forces a total reload of the Lua base menu", 0);

void PushDecimal(uint64_t value)
{
	Kestrum::BString text = Kestrum::String::Format::UInt64(value);
	g_Lua->PushString(text.c_str(), static_cast<unsigned int>(text.size()));
}
}

bool PushLuaHook(ILuaInterface *state, const char *member)
{
	// A state of the game's that was never initialised has no globals object to look in.
	if (!state || !state->Global())
		return false;
	// Lua objects work on g_Lua, so the lookup runs with the state made current and its
	// references are released before the menu state is put back.
	ILuaInterface *menu = g_Lua;
	g_Lua = state;
	bool found = false;
	{
		CLuaObject hook;
		hook.SetFromGlobal("hook");
		if (hook.isTable())
		{
			CLuaObject func;
			hook.GetMember(member, &func);
			if (func.isFunction())
			{
				func.Push();
				found = true;
			}
		}
	}
	g_Lua = menu;
	return found;
}

void CallLuaHook(ILuaInterface *state, const char *name, const char *member)
{
	if (!PushLuaHook(state, member))
		return;
	state->PushString(name);
	state->Call(1, 0);
}

bool CFoyerix::Init(CreateInterfaceFn factory, IGet *accessor, IZorvan *game, CGlobalVarsBase *globals)
{
	m_bReload = false;
	gpGlobals = globals;
	izorvan = game;
	get = accessor;

	CreateInterfaceFn factories[] = { factory };
	ConnectTier1Libraries(factories, 1);
	ConnectTier2Libraries(factories, 1);
	ConnectTier3Libraries(factories, 1);

	if (!steamapicontext->Init())
		Error("No Steam API. Try restarting Steam.");

	if (!vgui::VGui_InitInterfacesList("FOYERIX", factories, 1))
		return false;

	g_InputInternal = static_cast<vgui::IInputInternal *>(factory(VGUI_INPUTINTERNAL_INTERFACE_VERSION, nullptr));
	if (!g_InputInternal)
		Error("Foyerix: Couldn't load InputInternal");
	gameuifuncs = static_cast<IGameUIFuncs *>(factory(VENGINE_GAMEUIFUNCS_VERSION, nullptr));
	if (!gameuifuncs)
		Error("Foyerix: Couldn't load IGameUIFuncs");
	enginevgui = static_cast<IEngineVGui *>(factory(VENGINE_VGUI_VERSION, nullptr));
	if (!enginevgui)
		Error("Foyerix: Couldn't load enginevgui");
	engine = static_cast<IVEngineClient *>(factory(VENGINE_CLIENT_INTERFACE_VERSION, nullptr));
	if (!engine)
		Error("Foyerix: Couldn't load engine");

	CreateInterfaceFn gameUIFactory = g_GameUIDLL.GetFactory();
	if (!gameUIFactory)
		Error("Couldn't begin to load custom GameUI");
	gameui = static_cast<IGameUI *>(gameUIFactory(GAMEUI_INTERFACE_VERSION, nullptr));
	if (!gameui)
		Error("Couldn't load custom GameUI");

	if (g_pFullFileSystem && g_pFullFileSystem->Addons())
		g_pFullFileSystem->Addons()->SetDownloadNotifications(this);

	ConVar_Register(0, nullptr);
	return true;
}

void CFoyerix::SetupNetworkString(INetworkStringTableContainer *container)
{
	networkstringtable = container;
}

void CFoyerix::DestroyLua()
{
	if (!g_Lua)
		return;
	LuaSharedService *shared = LuaShared();
	if (shared)
	{
		shared->UnMountLua("LuaMenu");
		shared->CloseLuaInterface(g_Lua);
	}
	g_Lua = nullptr;
}

void CFoyerix::StartLua()
{
	DestroyLua();
	MenuScreen::Create();

	LuaSharedService *shared = LuaShared();
	if (!shared)
	{
		Warning("Foyerix: the game lends no Lua service\n");
		return;
	}
	shared->MountLua("LuaMenu");
	g_Lua = shared->CreateLuaInterface(LUASTATE_MENU, false);
	if (!g_Lua)
	{
		Warning("Foyerix: couldn't create the menu Lua state\n");
		shared->UnMountLua("LuaMenu");
		return;
	}
	g_Lua->Init(&g_LuaCallback, CommandLine_Tier0()->CheckParm("-withjit") != nullptr);
	g_Lua->SetPathID("LuaMenu");
	g_Lua->SetOption(1);

	g_Lua->PushBool(true);
	g_Lua->SetMember(g_Lua->Global(), "CLIENT");
	g_Lua->PushBool(false);
	g_Lua->SetMember(g_Lua->Global(), "SERVER");

	InitLuaLibraries(g_Lua);
	InitLuaClasses(g_Lua);

	// A failing script is reported through the callback; the next one still runs.
	for (const char *script : kMenuScripts)
		if (g_Lua)
			g_Lua->RunScriptFile(script, true, true, "!UNKNOWN");

	LoadingScreen::Initialize();
	MenuScreen::StartLua();
	if (g_Lua)
		CallLuaHook(g_Lua, "MenuStart");
}

void CFoyerix::Think()
{
	if (g_Lua)
	{
		g_Lua->Cycle();
		Zorvan::Lua::Libraries::Timer::Cycle();
		// Without hook.Call the rest of the frame waits for a frame on which it exists.
		if (!g_Lua || !PushLuaHook(g_Lua, "Call"))
			return;
		g_Lua->PushString("Think");
		g_Lua->Call(1, 0);
	}

	if (izorvan)
		izorvan->MenuFrame();

	if (m_bReload)
	{
		m_bReload = false;
		static_cast<IFoyerix *>(this)->StartLua();
	}

	static int s_lastContentChange = 0;
	if (!g_pFullFileSystem)
		return;
	int changes = g_pFullFileSystem->GetContentChangeCount();
	if (changes == s_lastContentChange)
		return;
	s_lastContentChange = changes;
	LuaSharedService *shared = LuaShared();
	if (!shared)
		return;
	for (int kind : { LUASTATE_MENU, LUASTATE_CLIENT, LUASTATE_HOST })
		if (ILuaInterface *state = shared->GetLuaInterface(kind))
			CallLuaHook(state, "GameContentChanged");
}

void CFoyerix::ServerDetails(const char *a, const char *b, const char *c, int d, const char *gamemode)
{
	if (g_pFullFileSystem && g_pFullFileSystem->Gamemodes())
		g_pFullFileSystem->Gamemodes()->SetServerGamemode(gamemode ? gamemode : "");
	if (!g_Lua)
		return;
	{
		CLuaObject details;
		details.SetFromGlobal("GameDetails");
		if (!details.isFunction())
			return;
		details.Push();
	}
	g_Lua->PushString(a ? a : "");
	g_Lua->PushString(b ? b : "");
	g_Lua->PushString(c ? c : "");
	g_Lua->PushNumber(d);
	ISteamUser *user = steamapicontext->SteamUser();
	PushDecimal(user ? user->GetSteamID().ConvertToUint64() : 0);
	g_Lua->PushString(gamemode ? gamemode : "");
	g_Lua->Call(6, 0);
}

void CFoyerix::OnLuaError(CLuaError *error, Addon::Information *addon)
{
	if (!g_Lua)
		return;
	if (addon && get)
		get->BeforeAddonLuaError();
	if (!PushLuaHook(g_Lua, "Run"))
		return;
	g_Lua->PushString("OnLuaError");
	g_Lua->PushString(error && error->text ? error->text : "");
	g_Lua->PushString(error && error->realm ? error->realm : "");
	if (addon)
	{
		g_Lua->PushString(addon->title.c_str(), static_cast<unsigned int>(addon->title.size()));
		PushDecimal(addon->wsid);
		g_Lua->Call(5, 0);
	}
	else
	{
		g_Lua->Call(3, 0);
	}
}

void CFoyerix::Shutdown()
{
	if (g_pFullFileSystem && g_pFullFileSystem->Addons())
		g_pFullFileSystem->Addons()->SetDownloadNotifications(nullptr);
	DestroyLua();
	Zorvan::Lua::Libraries::Timer::Shutdown();
	// Outside any vgui pass: the root panels go now, while the vgui interfaces they need to
	// be destroyed are still connected.
	LoadingScreen::ShutDown(true);
	MenuScreen::ShutDown(true);
	DisconnectTier3Libraries();
	DisconnectTier2Libraries();
	ConVar_Unregister();
	DisconnectTier1Libraries();
}
