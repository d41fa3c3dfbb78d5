// vgui::Panel focus, popups and input switches: focus requests travel up to the panel that
// keeps the tab order, tabbing asks the engine to move focus within the parent, and the
// keyboard switch covers the whole subtree.
#include "lua/ILuaInterface.h"
#include "lua/LuaObject.h"
#include "menu/FoyerixGlobals.h"
#include "tier1/KeyValues.h"
#include "vgui/IInput.h"
#include "vgui/IPanel.h"
#include "vgui/ISurface.h"
#include "vgui_controls/Controls.h"
#include "vgui_controls/Panel.h"

namespace vgui
{
namespace
{
// A truthy member "m_bDisableTabbing" of the panel's Lua table stops tabbing out of it.
bool TabbingDisabled(Panel *panel)
{
	// Asking for the table would make one: only a panel that has one can say no.
	if (!g_Lua || !panel->HasTable())
		return false;
	CLuaObject *table = panel->GetTable();
	if (table->isNil())
		return false;
	table->Push();
	g_Lua->PushString("m_bDisableTabbing");
	g_Lua->GetTable(-2);
	int type = g_Lua->GetType(-1);
	bool disabled = type != LUA_TYPE_NIL && (type != LUA_TYPE_BOOL || g_Lua->GetBool(-1));
	g_Lua->Pop(2);
	return disabled;
}

void CallFocusHook(Panel *panel, bool gained)
{
	if (!g_Lua || !panel->HasTable() || panel->IsMarkedForDeletion())
		return;
	CLuaObject *table = panel->GetTable();
	if (table->isNil())
		return;
	table->Push();
	g_Lua->PushString("OnFocusChanged");
	g_Lua->GetTable(-2);
	if (g_Lua->GetType(-1) != LUA_TYPE_FUNCTION)
	{
		g_Lua->Pop(2);
		return;
	}
	panel->PushForLua();
	g_Lua->PushBool(gained);
	g_Lua->Call(2, 0);
	g_Lua->Pop(1);
}
}

void Panel::RequestFocus(int) { OnRequestFocus(GetVPanel(), 0); }

void Panel::OnRequestFocus(VPANEL subFocus, VPANEL defaultPanel)
{
	CallParentFunction(new KeyValues("OnRequestFocus", "subFocus", static_cast<int>(subFocus), "defaultPanel",
	                                 static_cast<int>(defaultPanel)));
}

bool Panel::RequestFocusPrev(VPANEL)
{
	if (TabbingDisabled(this))
		return false;
	VPANEL parent = GetVParent();
	if (!parent)
		return false;
	return ipanel()->RequestFocusPrev(parent, GetVPanel());
}

bool Panel::RequestFocusNext(VPANEL)
{
	if (TabbingDisabled(this))
		return false;
	VPANEL parent = GetVParent();
	if (!parent)
		return false;
	return ipanel()->RequestFocusNext(parent, GetVPanel());
}

bool Panel::HasFocus() { return input()->GetFocus() == GetVPanel(); }

void Panel::InternalFocusChanged(bool) {}

void Panel::OnMouseCaptureLost() {}

void Panel::OnSetFocus()
{
	Repaint();
	CallFocusHook(this, true);
}

void Panel::OnKillFocus()
{
	Repaint();
	CallFocusHook(this, false);
}

void Panel::SetKeyBoardInputEnabled(bool state)
{
	ipanel()->SetKeyBoardInputEnabled(GetVPanel(), state);
	// The children may change while they are told: walk a copy.
	CUtlVector<VPANEL> &live = GetChildren();
	CUtlVector<VPANEL> children;
	children.AddMultipleToTail(live.Count(), live.Base());
	for (int i = 0; i < children.Count(); ++i)
		if (Panel *child = ipanel()->GetPanel(children[i], GetControlsModuleName()))
			child->SetKeyBoardInputEnabled(state);

	if (!state)
	{
		Panel *parent = GetParent();
		if (parent && parent->GetCurrentKeyFocus() == GetVPanel())
			parent->RequestFocusNext(0);
	}
}

void Panel::SetMouseInputEnabled(bool state)
{
	ipanel()->SetMouseInputEnabled(GetVPanel(), state);
	surface()->CalculateMouseVisible();
}

bool Panel::IsKeyBoardInputEnabled() { return ipanel()->IsKeyBoardInputEnabled(GetVPanel()); }

bool Panel::IsMouseInputEnabled() { return ipanel()->IsMouseInputEnabled(GetVPanel()); }

void Panel::MakePopup(bool showTaskbarIcon, bool disabled)
{
	surface()->CreatePopup(GetVPanel(), false, showTaskbarIcon, disabled, true, true);
}
}
