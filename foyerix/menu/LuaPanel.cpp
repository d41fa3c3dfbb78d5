// The Lua class "Panel" (type id 22): panels as userdata of the menu state, the metamethods that
// make a panel read like a table with x and y fields, and the methods that walk and change
// the panel tree, read and set geometry, and drive layout and docking.
//
// The userdata holds a heap cell that holds the panel. The panel empties the cell when it lets
// go of its Lua side, so every Lua copy then reads as a dead panel; the cell itself is freed
// by the userdata's __gc.
#include "menu/LuaPanel.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <vector>

#include "lua/ILuaInterface.h"
#include "lua/LuaClass.h"
#include "lua/LuaObject.h"
#include "menu/FoyerixGlobals.h"
#include "tier0/dbg.h"
#include "vgui/IInput.h"
#include "vgui/IPanel.h"
#include "vgui_controls/Controls.h"
#include "vgui_controls/Panel.h"

CLuaClass LC_Panel("Panel", 22, nullptr, nullptr);

void Push_Panel(vgui::Panel *panel)
{
	if (!panel)
		g_Lua->PushNil();
	else
		panel->PushForLua(&LC_Panel);
}

vgui::Panel *Get_Panel(int index)
{
	vgui::Panel **cell = static_cast<vgui::Panel **>(LC_Panel.Get(index));
	return cell ? *cell : nullptr;
}

// Until the menu screen exists there is no root panel; the menu host's definition replaces this.
__attribute__((weak)) vgui::Panel *GetZorvBasePanel()
{
	Warning("Trying to create VGUI too early!\n");
	return nullptr;
}

namespace
{
// The live panel at the index; a dead or missing one raises the invalid-object error.
vgui::Panel *Self(int index = 1)
{
	vgui::Panel *panel = Get_Panel(index);
	if (!panel)
		LuaInvalidObject("Panel");
	return panel;
}

// The live panel at the index, or null for a dead panel or any other value; raises nothing.
vgui::Panel *LiveOrNull(int index)
{
	vgui::Panel **cell = static_cast<vgui::Panel **>(LC_Panel.GetIfValid(index));
	return cell ? *cell : nullptr;
}

// A Lua number as an integer, truncated toward zero; out-of-range values saturate and NaN is 0,
// so no script number can make the conversion undefined.
int ToInt(double value)
{
	if (value != value)
		return 0;
	if (value >= static_cast<double>(INT_MAX))
		return INT_MAX;
	if (value <= static_cast<double>(INT_MIN))
		return INT_MIN;
	return static_cast<int>(value);
}

int Arg(ILuaInterface *lua, int index) { return ToInt(lua->GetNumber(index)); }
int StrictArg(ILuaInterface *lua, int index) { return ToInt(lua->CheckNumber(index)); }

bool IsSingleKey(const char *key, char lower)
{
	return key && (key[0] == lower || key[0] == lower - 'a' + 'A') && key[1] == '\0';
}

// The first panel named `name` below `root`: at each level the direct children are compared
// first, then each child's subtree is searched in order. Walked with an explicit stack, so a
// deep chain of panels cannot exhaust the native stack.
vgui::Panel *FindByName(vgui::Panel *root, const char *name)
{
	struct Level
	{
		vgui::Panel *panel;
		int next;  // the child whose subtree is searched next
	};
	std::vector<Level> levels;
	auto enter = [&](vgui::Panel *panel) -> vgui::Panel * {
		int count = panel->GetChildCount();
		for (int i = 0; i < count; ++i)
		{
			vgui::Panel *child = panel->GetChild(i);
			const char *childName = child ? child->GetName() : nullptr;
			if (childName && strcmp(childName, name) == 0)
				return child;
		}
		levels.push_back({ panel, 0 });
		return nullptr;
	};
	if (vgui::Panel *hit = enter(root))
		return hit;
	while (!levels.empty())
	{
		Level &level = levels.back();
		if (level.next >= level.panel->GetChildCount())
		{
			levels.pop_back();
			continue;
		}
		vgui::Panel *child = level.panel->GetChild(level.next++);
		if (child)
			if (vgui::Panel *hit = enter(child))
				return hit;
	}
	return nullptr;
}

// An int sum or difference held within the int range (positions may sit at the range's ends).
int Saturated(long long value)
{
	return static_cast<int>(value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : value);
}

// The extent of the visible children plus the right and bottom dock padding.
void ChildrenExtent(vgui::Panel *panel, int &wide, int &tall)
{
	int right = 0, bottom = 0;
	for (int i = 0; i < panel->GetChildCount(); ++i)
	{
		vgui::Panel *child = panel->GetChild(i);
		if (!child || !child->IsVisible())
			continue;
		int x, y;
		child->GetPos(x, y);
		int childRight = Saturated(static_cast<long long>(x) + child->GetWide());
		int childBottom = Saturated(static_cast<long long>(y) + child->GetTall());
		if (right <= childRight)
			right = childRight;
		if (bottom <= childBottom)
			bottom = childBottom;
	}
	int padLeft, padTop, padRight, padBottom;
	panel->GetDockPadding(padLeft, padTop, padRight, padBottom);
	wide = Saturated(static_cast<long long>(right) + padRight);
	tall = Saturated(static_cast<long long>(bottom) + padBottom);
}

// Screen coordinates to the panel's own.
void ScreenToLocal(vgui::Panel *panel, int &x, int &y)
{
	int absX = 0, absY = 0;
	vgui::ipanel()->GetAbsPos(panel->GetVPanel(), absX, absY);
	x = Saturated(static_cast<long long>(x) - absX);
	y = Saturated(static_cast<long long>(y) - absY);
}
}

// Metamethods and methods, in the class's row order.

LUA_CLASS_METHOD(Panel, __gc, LC_Panel)
{
	// Taken out of the userdata, so a second call (by hand) finds nothing to free.
	vgui::Panel **cell = static_cast<vgui::Panel **>(LC_Panel.Release(1));
	if (!cell)
	{
		Warning("lua_panel_container is NULL!?\n");
		return 0;
	}
	if (*cell && (*cell)->m_pLuaContainer == cell)
		(*cell)->m_pLuaContainer = nullptr;
	delete cell;
	return 0;
}

LUA_CLASS_METHOD(Panel, __tostring, LC_Panel)
{
	vgui::Panel *panel = Get_Panel(1);
	if (!panel)
	{
		LuaInvalidObject("Panel");
	}
	int x, y, wide, tall;
	panel->GetBounds(x, y, wide, tall);
	const char *className = panel->GetClassName();
	char text[512];
	snprintf(text, sizeof(text), "Panel: [name:%s][class:%s][%i,%i,%i,%i]", panel->GetName(),
	         className ? className : "", x, y, wide, tall);
	pLua->PushString(text);
	return 1;
}

LUA_CLASS_METHOD(Panel, GetPos, LC_Panel)
{
	int x, y;
	Self()->GetPos(x, y);
	pLua->PushNumber(x);
	pLua->PushNumber(y);
	return 2;
}

LUA_CLASS_METHOD(Panel, GetSize, LC_Panel)
{
	vgui::Panel *panel = Self();
	pLua->PushNumber(panel->GetWide());
	pLua->PushNumber(panel->GetTall());
	return 2;
}

LUA_CLASS_METHOD(Panel, __index, LC_Panel)
{
	vgui::Panel *panel = Get_Panel(1);
	if (panel)
	{
		CLuaObject *table = panel->GetTable();
		if (table && !table->isNil())
		{
			table->Push();
			pLua->Push(2);
			pLua->GetTable(-2);
			if (pLua->GetType(-1) != LUA_TYPE_NIL)
				return 1;
			pLua->Pop(2);
		}
	}
	if (pLua->GetMetaTableMember(1, 2))
		return 1;
	if (!panel || pLua->GetType(2) != LUA_TYPE_STRING)
		return 0;
	const char *key = pLua->GetString(2);
	int x, y;
	if (IsSingleKey(key, 'x'))
	{
		panel->GetPos(x, y);
		pLua->PushNumber(x);
		return 1;
	}
	if (IsSingleKey(key, 'y'))
	{
		panel->GetPos(x, y);
		pLua->PushNumber(y);
		return 1;
	}
	return 0;
}

LUA_CLASS_METHOD(Panel, __eq, LC_Panel)
{
	vgui::Panel *a = Get_Panel(1);
	vgui::Panel *b = Get_Panel(2);
	pLua->PushBool(a == b);
	return 1;
}

LUA_CLASS_METHOD(Panel, __newindex, LC_Panel)
{
	vgui::Panel *panel = Self();
	if (pLua->GetType(2) == LUA_TYPE_STRING)
	{
		const char *key = pLua->GetString(2);
		int x, y;
		if (IsSingleKey(key, 'x'))
		{
			panel->GetPos(x, y);
			panel->SetPos(Arg(pLua, 3), y);
			return 0;
		}
		if (IsSingleKey(key, 'y'))
		{
			panel->GetPos(x, y);
			panel->SetPos(x, Arg(pLua, 3));
			return 0;
		}
	}
	CLuaObject *table = panel->GetTable();
	if (table && !table->isNil())
	{
		table->Push();
		pLua->Push(2);
		pLua->Push(3);
		pLua->SetTable(-3);
		pLua->Pop(1);
	}
	int type = pLua->GetType(3);
	if (type == LUA_TYPE_FUNCTION || type == LUA_TYPE_NIL)
		panel->ScanForLuaFunctionChanges();
	return 0;
}

LUA_CLASS_METHOD(Panel, SetName, LC_Panel)
{
	vgui::Panel *panel = Self();
	panel->SetName(pLua->GetString(2));
	return 0;
}

LUA_CLASS_METHOD(Panel, GetName, LC_Panel)
{
	const char *name = Self()->GetName();
	pLua->PushString(name ? name : "");
	return 1;
}

LUA_CLASS_METHOD(Panel, GetClassName, LC_Panel)
{
	const char *name = Self()->GetClassName();
	pLua->PushString(name ? name : "");
	return 1;
}

LUA_CLASS_METHOD(Panel, SetPos, LC_Panel)
{
	vgui::Panel *panel = Self();
	panel->SetPos(Arg(pLua, 2), Arg(pLua, 3));
	return 0;
}

LUA_CLASS_METHOD(Panel, SetSize, LC_Panel)
{
	vgui::Panel *panel = Self();
	panel->SetSize(Arg(pLua, 2), Arg(pLua, 3));
	return 0;
}

LUA_CLASS_METHOD(Panel, SetMinimumSize, LC_Panel)
{
	vgui::Panel *panel = Self();
	panel->SetMinimumSize(Arg(pLua, 2), Arg(pLua, 3));
	return 0;
}

LUA_CLASS_METHOD(Panel, SetParent, LC_Panel)
{
	vgui::Panel *panel = Self();
	vgui::Panel *parent = pLua->GetType(2) == LC_Panel.GetType() ? Get_Panel(2) : GetZorvBasePanel();
	panel->SetParent(parent);
	return 0;
}

LUA_CLASS_METHOD(Panel, IsValid, LC_Panel)
{
	vgui::Panel *panel = LiveOrNull(1);
	pLua->PushBool(panel && !panel->IsMarkedForDeletion());
	return 1;
}

LUA_CLASS_METHOD(Panel, Valid, LC_Panel)
{
	pLua->PushBool(LiveOrNull(1) != nullptr);
	return 1;
}

LUA_CLASS_METHOD(Panel, IsMarkedForDeletion, LC_Panel)
{
	// A dead panel is gone (or going): it counts as marked.
	vgui::Panel *panel = Get_Panel(1);
	pLua->PushBool(!panel || panel->IsMarkedForDeletion());
	return 1;
}

LUA_CLASS_METHOD(Panel, Remove, LC_Panel)
{
	if (vgui::Panel *panel = LiveOrNull(1))
		panel->MarkForDeletion();
	return 0;
}

LUA_CLASS_METHOD(Panel, GetWide, LC_Panel)
{
	pLua->PushNumber(Self()->GetWide());
	return 1;
}

LUA_CLASS_METHOD(Panel, GetTall, LC_Panel)
{
	pLua->PushNumber(Self()->GetTall());
	return 1;
}

LUA_CLASS_METHOD(Panel, GetTable, LC_Panel)
{
	vgui::Panel *panel = LiveOrNull(1);
	if (!panel)
		return 0;
	CLuaObject *table = panel->GetTable();
	if (!table || table->isNil())
		return 0;
	table->Push();
	return 1;
}

LUA_CLASS_METHOD(Panel, GetParent, LC_Panel)
{
	vgui::Panel *parent = Self()->GetParent();
	if (!parent)
		return 0;
	Push_Panel(parent);
	return 1;
}

LUA_CLASS_METHOD(Panel, InvalidateLayout, LC_Panel)
{
	vgui::Panel *panel = Self();
	panel->InvalidateLayout(pLua->GetBool(2), false);
	return 0;
}

LUA_CLASS_METHOD(Panel, SetZPos, LC_Panel)
{
	vgui::Panel *panel = Self();
	panel->SetZPos(Arg(pLua, 2));
	return 0;
}

LUA_CLASS_METHOD(Panel, ScreenToLocal, LC_Panel)
{
	vgui::Panel *panel = Self();
	int x = Arg(pLua, 2), y = Arg(pLua, 3);
	ScreenToLocal(panel, x, y);
	pLua->PushNumber(x);
	pLua->PushNumber(y);
	return 2;
}

LUA_CLASS_METHOD(Panel, LocalToScreen, LC_Panel)
{
	vgui::Panel *panel = Self();
	int x = Arg(pLua, 2), y = Arg(pLua, 3);
	panel->LocalToScreen(x, y);
	pLua->PushNumber(x);
	pLua->PushNumber(y);
	return 2;
}

LUA_CLASS_METHOD(Panel, CursorPos, LC_Panel)
{
	vgui::Panel *panel = Self();
	int x = 0, y = 0;
	if (vgui::input())
		vgui::input()->GetCursorPos(x, y);
	ScreenToLocal(panel, x, y);
	pLua->PushNumber(x);
	pLua->PushNumber(y);
	return 2;
}

LUA_CLASS_METHOD(Panel, MoveToFront, LC_Panel)
{
	Self()->MoveToFront();
	return 0;
}

LUA_CLASS_METHOD(Panel, MoveToBack, LC_Panel)
{
	Self()->MoveToBack();
	return 0;
}

LUA_CLASS_METHOD(Panel, Prepare, LC_Panel)
{
	Self()->ScanForLuaFunctionChanges();
	return 0;
}

LUA_CLASS_METHOD(Panel, GetBounds, LC_Panel)
{
	int x, y, wide, tall;
	Self()->GetBounds(x, y, wide, tall);
	pLua->PushNumber(x);
	pLua->PushNumber(y);
	pLua->PushNumber(wide);
	pLua->PushNumber(tall);
	return 4;
}

LUA_CLASS_METHOD(Panel, HasParent, LC_Panel)
{
	vgui::Panel *panel = Self();
	vgui::Panel *other = Self(2);
	pLua->PushBool(vgui::ipanel()->HasParent(panel->GetVPanel(), other->GetVPanel()));
	return 1;
}

LUA_CLASS_METHOD(Panel, Dock, LC_Panel)
{
	vgui::Panel *panel = Self();
	panel->SetDock(static_cast<unsigned char>(StrictArg(pLua, 2) & 0xFF));
	panel->InvalidateLayout(false, false);
	return 0;
}

LUA_CLASS_METHOD(Panel, GetDock, LC_Panel)
{
	pLua->PushNumber(Self()->GetDock());
	return 1;
}

LUA_CLASS_METHOD(Panel, DockMargin, LC_Panel)
{
	vgui::Panel *panel = Self();
	int left = StrictArg(pLua, 2), top = StrictArg(pLua, 3), right = StrictArg(pLua, 4), bottom = StrictArg(pLua, 5);
	panel->SetDockMargin(left, top, right, bottom);
	return 0;
}

LUA_CLASS_METHOD(Panel, DockPadding, LC_Panel)
{
	vgui::Panel *panel = Self();
	int left = StrictArg(pLua, 2), top = StrictArg(pLua, 3), right = StrictArg(pLua, 4), bottom = StrictArg(pLua, 5);
	panel->SetDockPadding(left, top, right, bottom);
	return 0;
}

LUA_CLASS_METHOD(Panel, SizeToChildren, LC_Panel)
{
	vgui::Panel *panel = Self();
	bool sizeWide = pLua->GetBool(2), sizeTall = pLua->GetBool(3);
	int wide, tall;
	ChildrenExtent(panel, wide, tall);
	if (wide > 0 && sizeWide)
		panel->SetWide(wide);
	if (tall > 0 && sizeTall)
		panel->SetTall(tall);
	return 0;
}

LUA_CLASS_METHOD(Panel, GetChildren, LC_Panel)
{
	vgui::Panel *panel = Self();
	pLua->NewTable();
	for (int i = 0; i < panel->GetChildCount(); ++i)
	{
		vgui::Panel *child = panel->GetChild(i);
		if (!child)
			continue;
		pLua->PushNumber(i + 1);
		Push_Panel(child);
		pLua->SetTable(-3);
	}
	return 1;
}

LUA_CLASS_METHOD(Panel, HasChildren, LC_Panel)
{
	pLua->PushBool(Self()->GetChildCount() != 0);
	return 1;
}

LUA_CLASS_METHOD(Panel, GetChild, LC_Panel)
{
	vgui::Panel *panel = Self();
	int index = StrictArg(pLua, 2);
	int count = panel->GetChildCount();
	if (index < 0)
		index += count;
	if (index < 0 || index >= count)
		return 0;
	Push_Panel(panel->GetChild(index));
	return 1;
}

LUA_CLASS_METHOD(Panel, ChildCount, LC_Panel)
{
	pLua->PushNumber(Self()->GetChildCount());
	return 1;
}

LUA_CLASS_METHOD(Panel, ChildrenSize, LC_Panel)
{
	int wide, tall;
	ChildrenExtent(Self(), wide, tall);
	pLua->PushNumber(wide);
	pLua->PushNumber(tall);
	return 2;
}

LUA_CLASS_METHOD(Panel, Find, LC_Panel)
{
	vgui::Panel *panel = Self();
	const char *name = pLua->CheckString(2);
	vgui::Panel *found = FindByName(panel, name);
	if (!found)
		return 0;
	Push_Panel(found);
	return 1;
}
