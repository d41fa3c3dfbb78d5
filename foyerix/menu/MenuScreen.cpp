// The menu base panel, the overlay popup that drives each frame, the loading panel from the
// scripts, and the gates the panel library calls.
#include "menu/MenuScreen.h"

#include <algorithm>
#include <vector>

#include "menu/Fonts.h"
#include "menu/Foyerix.h"
#include "GameUI/IGameUI.h"
#include "lua/ILuaInterface.h"
#include "lua/ILuaShared.h"
#include "lua/LuaClass.h"
#include "lua/LuaObject.h"
#include "menu/FoyerixGlobals.h"
#include "menu/FrameTime.h"
#include "menu/HostInterfaces.h"
#include "menu/LuaPanel.h"
#include "steam/steam_api.h"
#include "tier0/dbg.h"
#include "vgui/IScheme.h"
#include "vgui/ISurface.h"
#include "vgui_controls/Controls.h"
#include "vgui_controls/PHandle.h"

namespace
{
vgui::PHandle pMenuScreen;
vgui::PHandle pOverlayScreen;
vgui::PHandle pLoadingPanel;
// Root panels marked for deletion that the engine may not have deleted yet; a shut-down of
// the plug-in deletes what is left of them while the vgui interfaces are still there.
std::vector<vgui::PHandle> s_Marked;

void Discard(vgui::Panel *panel, bool deleteNow)
{
	if (deleteNow)
	{
		panel->DeletePanel();
		return;
	}
	s_Marked.erase(std::remove_if(s_Marked.begin(), s_Marked.end(),
	                              [](const vgui::PHandle &marked) { return !marked.Get(); }),
	               s_Marked.end());
	vgui::PHandle handle;
	handle = panel;
	s_Marked.push_back(handle);
	panel->MarkForDeletion();
}

void DeleteMarked()
{
	for (vgui::PHandle &handle : s_Marked)
		if (vgui::Panel *panel = handle.Get())
			panel->DeletePanel();
	s_Marked.clear();
}

void SizeToScreen(vgui::Panel *panel)
{
	int wide = 0, tall = 0;
	if (vgui::surface())
		vgui::surface()->GetScreenSize(wide, tall);
	panel->SetSize(wide, tall);
	panel->SetPos(0, 0);
}

void SetMenuPanelInput(vgui::Panel *panel)
{
	panel->SetProportional(false);
	panel->SetKeyBoardInputEnabled(true);
	panel->SetMouseInputEnabled(true);
}

unsigned int EngineHandle(vgui::Panel *panel)
{
	return panel ? static_cast<unsigned int>(panel->GetVPanel()) : 0u;
}
}

CMenuScreenPanel::CMenuScreenPanel(vgui::Panel *parent, const char *name) : vgui::EditablePanel(parent, name)
{
	if (vgui::scheme())
	{
		vgui::HScheme scheme = vgui::scheme()->LoadSchemeFromFile("resource/ClientScheme.res", "ClientScheme");
		SetScheme(scheme);
	}
	SizeToScreen(this);
}

CMenuScreenPanel::~CMenuScreenPanel() = default;

void CMenuScreenPanel::OnScreenSizeChanged(int oldWide, int oldTall)
{
	SizeToScreen(this);
	Zorvan::Fonts::Refresh();
	vgui::EditablePanel::OnScreenSizeChanged(oldWide, oldTall);
	LoadingScreen::OnResize();
	SetMenuPanelInput(this);
}

COverlayPanel::COverlayPanel(vgui::Panel *parent, const char *name) : vgui::Panel(parent, name)
{
	SizeToScreen(this);
}

COverlayPanel::~COverlayPanel() = default;

void COverlayPanel::OnThink()
{
	if (IsMarkedForDeletion())
		return;
	// Keeps the overlay above the other popups, where its hooks draw.
	if (vgui::surface())
		vgui::surface()->MovePopupToFront(GetVPanel());
	g_Foyerix.Think();
}

void COverlayPanel::Paint()
{
	if (IsMarkedForDeletion())
		return;
	MeasureFrameTime();
	VGUIPaintOverlayPanels();

	LuaSharedService *shared = LuaShared();
	if (ILuaInterface *client = shared ? shared->GetLuaInterface(LUASTATE_CLIENT) : nullptr)
		::CallLuaHook(client, "DrawOverlay", "Run");
	if (g_Lua)
		::CallLuaHook(g_Lua, "DrawOverlay", "Run");
	if (g_Lua)
		::CallLuaHook(g_Lua, "CaptureVideo", "Run");
}

void COverlayPanel::OnScreenSizeChanged(int, int)
{
	SizeToScreen(this);
}

namespace MenuScreen
{
void Create()
{
	ShutDown();

	CMenuScreenPanel *menu = new CMenuScreenPanel(nullptr, "MenuBasePanel");
	COverlayPanel *overlay = new COverlayPanel(nullptr, "OverlayPopupPanel");
	pOverlayScreen = overlay;
	if (vgui::surface())
		overlay->SetParent(vgui::surface()->GetEmbeddedPanel());
	overlay->MakePopup(true, false);
	overlay->SetKeyBoardInputEnabled(false);
	overlay->SetMouseInputEnabled(false);

	if (gameui)
		gameui->SetMainMenuOverride(EngineHandle(menu));
	SetMenuPanelInput(menu);
	menu->MoveToBack();
	pMenuScreen = menu;
}

void ShutDown(bool deleteNow)
{
	if (gameui)
		gameui->SetMainMenuOverride(0);
	if (vgui::Panel *menu = pMenuScreen.Get())
	{
		menu->SetParent(static_cast<vgui::Panel *>(nullptr));
		menu->DeletePanel();
	}
	pMenuScreen = nullptr;
	if (vgui::Panel *overlay = pOverlayScreen.Get())
	{
		overlay->SetParent(static_cast<vgui::Panel *>(nullptr));
		Discard(overlay, deleteNow);
	}
	pOverlayScreen = nullptr;
	if (deleteNow)
		DeleteMarked();
}

void StartLua() {}

vgui::Panel *GetOverlayPanel() { return pOverlayScreen.Get(); }
vgui::Panel *GetMenuPanel() { return pMenuScreen.Get(); }
}

vgui::Panel *GetZorvBasePanel()
{
	vgui::Panel *menu = pMenuScreen.Get();
	if (!menu)
		Warning("Trying to create VGUI too early!\n");
	return menu;
}

namespace LoadingScreen
{
void Initialize()
{
	ShutDown();
	if (!g_Lua)
		return;

	vgui::Panel *panel = nullptr;
	{
		CLuaObject func;
		func.SetFromGlobal("GetLoadPanel");
		if (!func.isFunction())
			return;
		func.Push();
		if (!g_Lua->PCall(0, 1))
			return;
		if (g_Lua->GetType(-1) != LC_Panel.GetType())
		{
			g_Lua->Pop(1);
			return;
		}
		panel = Get_Panel(-1);
		g_Lua->Pop(1);
	}
	pLoadingPanel = panel;
	if (panel)
	{
		panel->InvalidateLayout(false, true);
		panel->SetVisible(false);
		panel->MakePopup(false, false);
		if (gameui)
			gameui->SetLoadingBackgroundDialog(EngineHandle(panel));
	}
	// A second panel can't be handed over.
	g_Lua->PushNil();
	g_Lua->SetMember(g_Lua->Global(), "GetLoadPanel");
}

void ShutDown(bool deleteNow)
{
	if (gameui)
		gameui->SetLoadingBackgroundDialog(0);
	if (vgui::Panel *panel = pLoadingPanel.Get())
	{
		panel->SetParent(static_cast<vgui::Panel *>(nullptr));
		Discard(panel, deleteNow);
	}
	pLoadingPanel = nullptr;
	if (deleteNow)
		DeleteMarked();
}

void OnResize()
{
	if (vgui::Panel *panel = pLoadingPanel.Get())
		panel->InvalidateLayout(true, true);
}

vgui::Panel *GetLoadingPanel() { return pLoadingPanel.Get(); }
}

void ReportVGUIMousePressed(vgui::Panel *panel, ButtonCode_t code)
{
	if (!g_Lua || !PushLuaHook(g_Lua, "Call"))
		return;
	g_Lua->PushString("VGUIMousePressed");
	g_Lua->PushNil();
	Push_Panel(panel);
	g_Lua->PushNumber(static_cast<double>(code));
	g_Lua->Call(4, 0);
}

void ZORV_OpenURLInSteam(const char *url)
{
	if (ISteamFriends *friends = steamapicontext->SteamFriends())
		friends->ActivateGameOverlayToWebPage(url);
}
