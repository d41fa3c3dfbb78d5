// The "gui" library: the cursor, input events injected into the vgui input as if they came
// from the operating system, web pages in the Steam overlay, and the game UI's visibility.
#include <cstring>

#include "engine/ienginevgui.h"
#include "lua/ColorConversion.h"
#include "lua/LuaLibrary.h"
#include "menu/HostInterfaces.h"
#include "menu/Foyerix.h"
#include "steam/steam_api.h"
#include "tier1/tier3.h"
#include "vgui/IInputInternal.h"
#include "vgui/ISurface.h"

// Fetched by CFoyerix::Init; defined here so that the Lua layer links without the host.
vgui::IInputInternal *g_InputInternal = nullptr;

namespace
{
int IntArg(ILuaInterface *pLua, int index) { return TruncateToInt(pLua->GetNumber(index)); }

ButtonCode_t CodeArg(ILuaInterface *pLua, int index) { return static_cast<ButtonCode_t>(IntArg(pLua, index)); }

// The cursor position, or 0, 0 while the surface hides the cursor.
void MousePosition(int &x, int &y)
{
	x = y = 0;
	if (g_pVGuiSurface && g_pVGuiSurface->IsCursorVisible() && g_InputInternal)
		g_InputInternal->GetCursorPos(x, y);
}

LUA_LIBRARY(gui);

LUA_FUNCTION(gui, MousePos)
{
	int x, y;
	MousePosition(x, y);
	pLua->PushNumber(x);
	pLua->PushNumber(y);
	return 2;
}

LUA_FUNCTION(gui, MouseX)
{
	int x, y;
	MousePosition(x, y);
	pLua->PushNumber(x);
	return 1;
}

LUA_FUNCTION(gui, MouseY)
{
	int x, y;
	MousePosition(x, y);
	pLua->PushNumber(y);
	return 1;
}

LUA_FUNCTION(gui, SetMousePos)
{
	int x = IntArg(pLua, 1), y = IntArg(pLua, 2);
	if (g_InputInternal)
		g_InputInternal->SetCursorPos(x, y);
	return 0;
}

LUA_FUNCTION(gui, InternalCursorMoved)
{
	int x = IntArg(pLua, 1), y = IntArg(pLua, 2);
	if (g_InputInternal)
		g_InputInternal->InternalCursorMoved(x, y);
	return 0;
}

LUA_FUNCTION(gui, InternalMousePressed)
{
	ButtonCode_t code = CodeArg(pLua, 1);
	if (g_InputInternal)
	{
		g_InputInternal->SetMouseCodeState(code, true);
		g_InputInternal->InternalMousePressed(code);
	}
	return 0;
}

LUA_FUNCTION(gui, InternalMouseDoublePressed)
{
	ButtonCode_t code = CodeArg(pLua, 1);
	if (g_InputInternal)
		g_InputInternal->InternalMouseDoublePressed(code);
	return 0;
}

LUA_FUNCTION(gui, InternalMouseReleased)
{
	ButtonCode_t code = CodeArg(pLua, 1);
	if (g_InputInternal)
	{
		g_InputInternal->SetMouseCodeState(code, false);
		g_InputInternal->InternalMouseReleased(code);
	}
	return 0;
}

LUA_FUNCTION(gui, InternalMouseWheeled)
{
	int delta = IntArg(pLua, 1);
	if (g_InputInternal)
		g_InputInternal->InternalMouseWheeled(delta);
	return 0;
}

LUA_FUNCTION(gui, InternalKeyCodePressed)
{
	ButtonCode_t code = CodeArg(pLua, 1);
	if (g_InputInternal)
		g_InputInternal->InternalKeyCodePressed(code);
	return 0;
}

LUA_FUNCTION(gui, InternalKeyCodeTyped)
{
	ButtonCode_t code = CodeArg(pLua, 1);
	if (g_InputInternal)
		g_InputInternal->InternalKeyCodeTyped(code);
	return 0;
}

LUA_FUNCTION(gui, InternalKeyCodeReleased)
{
	ButtonCode_t code = CodeArg(pLua, 1);
	if (g_InputInternal)
		g_InputInternal->InternalKeyCodeReleased(code);
	return 0;
}

LUA_FUNCTION(gui, OpenURL)
{
	const char *url = pLua->CheckString(1);
	if (!url || !steamapicontext || !steamapicontext->SteamFriends())
		return 0;
	if (strncmp(url, "http://", 7) != 0)
		return 0;
	steamapicontext->SteamFriends()->ActivateGameOverlayToWebPage(url);
	return 0;
}

LUA_FUNCTION(gui, IsGameUIVisible)
{
	pLua->PushBool(enginevgui && enginevgui->IsGameUIVisible());
	return 1;
}

LUA_FUNCTION(gui, IsConsoleVisible)
{
	pLua->PushBool(enginevgui && enginevgui->IsConsoleVisible());
	return 1;
}

LUA_FUNCTION(gui, ActivateGameUI)
{
	if (enginevgui)
		enginevgui->ActivateGameUI();
	return 0;
}

LUA_FUNCTION(gui, HideGameUI)
{
	if (enginevgui)
		enginevgui->HideGameUI();
	return 0;
}
}
