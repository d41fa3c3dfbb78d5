// The "input" library: button and key state, the engine's key-trapping mode (for key-binding
// dialogs) and binding look-ups.
#include "engine/ivengineclient.h"
#include "inputsystem/iinputsystem.h"
#include "lua/ColorConversion.h"
#include "lua/LuaLibrary.h"
#include "tier1/tier2.h"
#include "tier1/tier3.h"
#include "vgui/IInput.h"

namespace
{
// True from StartKeyTrapping until a CheckKeyTrapping that returns a key.
bool s_bKeyTrapping = false;

int IntArg(ILuaInterface *pLua, int index) { return TruncateToInt(pLua->GetNumber(index)); }

ButtonCode_t CodeArg(ILuaInterface *pLua, int index) { return static_cast<ButtonCode_t>(IntArg(pLua, index)); }

bool KeyDown(ButtonCode_t code) { return g_pVGuiInput && g_pVGuiInput->IsKeyDown(code); }

LUA_LIBRARY(input);

LUA_FUNCTION(input, IsButtonDown)
{
	ButtonCode_t code = CodeArg(pLua, 1);
	pLua->PushBool(g_pInputSystem && g_pInputSystem->IsButtonDown(code));
	return 1;
}

LUA_FUNCTION(input, IsMouseDown)
{
	ButtonCode_t code = CodeArg(pLua, 1);
	pLua->PushBool(g_pVGuiInput && g_pVGuiInput->IsMouseDown(code));
	return 1;
}

LUA_FUNCTION(input, SetCursorPos)
{
	int x = IntArg(pLua, 1), y = IntArg(pLua, 2);
	if (g_pVGuiInput)
		g_pVGuiInput->SetCursorPos(x, y);
	return 0;
}

LUA_FUNCTION(input, GetCursorPos)
{
	int x = 0, y = 0;
	if (g_pVGuiInput)
		g_pVGuiInput->GetCursorPos(x, y);
	pLua->PushNumber(x);
	pLua->PushNumber(y);
	return 2;
}

LUA_FUNCTION(input, WasMousePressed)
{
	ButtonCode_t code = CodeArg(pLua, 1);
	pLua->PushBool(g_pVGuiInput && g_pVGuiInput->WasMousePressed(code));
	return 1;
}

LUA_FUNCTION(input, WasMouseDoublePressed)
{
	ButtonCode_t code = CodeArg(pLua, 1);
	pLua->PushBool(g_pVGuiInput && g_pVGuiInput->WasMouseDoublePressed(code));
	return 1;
}

LUA_FUNCTION(input, WasKeyPressed)
{
	ButtonCode_t code = CodeArg(pLua, 1);
	pLua->PushBool(g_pVGuiInput && g_pVGuiInput->WasKeyPressed(code));
	return 1;
}

LUA_FUNCTION(input, IsKeyDown)
{
	pLua->PushBool(KeyDown(CodeArg(pLua, 1)));
	return 1;
}

LUA_FUNCTION(input, IsShiftDown)
{
	pLua->PushBool(KeyDown(KEY_LSHIFT) || KeyDown(KEY_RSHIFT));
	return 1;
}

LUA_FUNCTION(input, IsControlDown)
{
	pLua->PushBool(KeyDown(KEY_LCONTROL) || KeyDown(KEY_RCONTROL));
	return 1;
}

LUA_FUNCTION(input, WasKeyTyped)
{
	ButtonCode_t code = CodeArg(pLua, 1);
	pLua->PushBool(g_pVGuiInput && g_pVGuiInput->WasKeyTyped(code));
	return 1;
}

LUA_FUNCTION(input, WasKeyReleased)
{
	ButtonCode_t code = CodeArg(pLua, 1);
	pLua->PushBool(g_pVGuiInput && g_pVGuiInput->WasKeyReleased(code));
	return 1;
}

LUA_FUNCTION(input, GetKeyName)
{
	int code = IntArg(pLua, 1);
	if (code < 1 || code > 170 || !g_pInputSystem)
		return 0;
	const char *name = g_pInputSystem->ButtonCodeToString(static_cast<ButtonCode_t>(code));
	if (!name)
		return 0;
	pLua->PushString(name);
	return 1;
}

LUA_FUNCTION(input, StartKeyTrapping)
{
	if (engine)
		engine->StartKeyTrapMode();
	s_bKeyTrapping = true;
	return 0;
}

LUA_FUNCTION(input, IsKeyTrapping)
{
	pLua->PushBool(s_bKeyTrapping);
	return 1;
}

LUA_FUNCTION(input, CheckKeyTrapping)
{
	ButtonCode_t code = BUTTON_CODE_INVALID;
	if (!engine || !engine->CheckDoneKeyTrapping(code))
		return 0;
	s_bKeyTrapping = false;
	pLua->PushNumber(code);
	return 1;
}

LUA_FUNCTION(input, LookupBinding)
{
	const char *binding = pLua->CheckString(1);
	const char *key = binding && engine ? engine->Key_LookupBinding(binding) : nullptr;
	if (!key)
		return 0;
	pLua->PushString(key);
	return 1;
}
}
