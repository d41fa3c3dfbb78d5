// Argument reads shared by the Lua Panel method sources: the self check and integer reads that
// truncate toward zero without undefined conversions.
#pragma once

#include <climits>

#include "lua/ILuaInterface.h"
#include "lua/LuaClass.h"
#include "menu/LuaPanel.h"

namespace LuaPanelArgs
{
// The live panel at the index; a dead or missing one raises the invalid-object error.
inline vgui::Panel *Self(int index = 1)
{
	vgui::Panel *panel = Get_Panel(index);
	if (!panel)
		LuaInvalidObject("Panel");
	return panel;
}

// A Lua number as an integer, truncated toward zero; out-of-range values saturate and NaN is 0.
inline int ToInt(double value)
{
	if (value != value)
		return 0;
	if (value >= static_cast<double>(INT_MAX))
		return INT_MAX;
	if (value <= static_cast<double>(INT_MIN))
		return INT_MIN;
	return static_cast<int>(value);
}

inline int Arg(ILuaInterface *lua, int index) { return ToInt(lua->GetNumber(index)); }
inline int StrictArg(ILuaInterface *lua, int index) { return ToInt(lua->CheckNumber(index)); }

// A colour component: the low 8 bits of the truncated number (300 is 44, -1 is 255).
inline unsigned char Component(ILuaInterface *lua, int index)
{
	return static_cast<unsigned char>(static_cast<unsigned>(ToInt(lua->GetNumber(index))) & 0xFF);
}
}
