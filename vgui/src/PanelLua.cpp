// The Lua side of vgui::Panel: its table and userdata in the menu state, the cached hook
// functions, the overlay panels and the bounds-changed notification that re-docks a parent.
#include <cstring>

#include "lua/ILuaInterface.h"
#include "lua/LuaClass.h"
#include "lua/LuaObject.h"
#include "menu/FoyerixGlobals.h"
#include "menu/LuaPanel.h"
#include "tier0/dbg.h"
#include "tier1/convar.h"
#include "vgui/IPanel.h"
#include "vgui_controls/Controls.h"
#include "vgui_controls/Panel.h"

ConVar panel_test_title_safe("panel_test_title_safe", "0", FCVAR_CHEAT,
                             "Test vgui panel positioning with title safe indentation");

namespace vgui
{
CUtlVector<Panel *> g_OverlayPanels;

namespace
{
bool IsFunction(CLuaObject *object) { return object && object->isFunction(); }
}

// The table and the userdata.

CLuaObject *Panel::GetTable()
{
	if (m_pLuaTable || !g_Lua)
		return m_pLuaTable;
	if (m_pLuaObject && m_pLuaObject->GetType() != LC_Panel.GetType())
	{
		delete m_pLuaObject;
		m_pLuaObject = nullptr;
	}
	m_pLuaTable = new CLuaTable();
	Push_Panel(this);
	CLuaObject userdata(-1, -1);
	g_Lua->Pop(1);
	m_pLuaTable->SetMember("Panel", &userdata);
	return m_pLuaTable;
}

bool Panel::HasTable() { return m_pLuaTable != nullptr; }

void Panel::PushForLua(CLuaClass *luaClass)
{
	if (!g_Lua)
		return;
	if (m_pLuaObject && m_pLuaObject->isNil())
	{
		Msg("Panel object is fucked - might be using an older Lua interface.. why wasn't it cleared??\n");
		FreeLua();
	}
	if (m_pLuaObject)
	{
		if (m_pLuaObject->GetType() == LC_Panel.GetType())
		{
			m_pLuaObject->Push();
			return;
		}
		Msg("NOT A PANEL!!!\n");
	}
	CLuaClass *cls = luaClass ? luaClass : &LC_Panel;
	// A state without the class installed cannot hold panels: nil stands in for the panel.
	if (!cls->MetaTable().isTable())
	{
		g_Lua->PushNil();
		return;
	}
	if (m_pLuaContainer)
		*static_cast<Panel **>(m_pLuaContainer) = nullptr;
	Panel **cell = new Panel *(this);
	m_pLuaContainer = cell;
	cls->Push(cell);
	delete m_pLuaObject;
	m_pLuaObject = new CLuaObject(-1, -1);
}

void Panel::ScanForLuaFunctionChanges()
{
	if (!g_Lua || !m_pLuaTable || !m_pLuaTable->isTable() || IsMarkedForDeletion())
		return;
	struct CachedHook
	{
		const char *name;
		CLuaObject **slot;
	};
	const CachedHook hooks[] = {
		{ "Paint", &m_pLuaPaint },
		{ "PaintOver", &m_pLuaPaintOver },
		{ "Think", &m_pLuaThink },
		{ "AnimationThink", &m_pLuaAnimationThink },
		{ "OnChildRemoved", &m_pLuaOnChildRemoved },
		{ "OnChildAdded", &m_pLuaOnChildAdded },
	};
	CLuaObject scratch;
	for (const CachedHook &hook : hooks)
	{
		m_pLuaTable->GetMember(hook.name, &scratch);
		if (scratch.isFunction())
		{
			if (!*hook.slot)
				*hook.slot = new CLuaObject();
			(*hook.slot)->Set(&scratch);
		}
		else
		{
			delete *hook.slot;
			*hook.slot = nullptr;
		}
	}
}

void Panel::FreeLua()
{
	CLuaObject **hooks[] = { &m_pLuaThink, &m_pLuaPaint, &m_pLuaPaintOver, &m_pLuaAnimationThink,
		                     &m_pLuaOnChildRemoved, &m_pLuaOnChildAdded };
	for (CLuaObject **hook : hooks)
	{
		delete *hook;
		*hook = nullptr;
	}
	// The cell belongs to the userdata; emptying it makes every Lua copy a dead panel.
	if (m_pLuaContainer)
	{
		*static_cast<Panel **>(m_pLuaContainer) = nullptr;
		m_pLuaContainer = nullptr;
	}
	delete m_pLuaTable;
	m_pLuaTable = nullptr;
	delete m_pLuaObject;
	m_pLuaObject = nullptr;
}

void Panel::FreeLuaRecursive()
{
	FreeLua();
	if (!ipanel())
		return;
	VPANEL self = GetVPanel();
	for (int i = 0; i < ipanel()->GetChildCount(self); ++i)
		if (Panel *child = ipanel()->GetPanel(ipanel()->GetChild(self, i), GetControlsModuleName()))
			child->FreeLuaRecursive();
}

void Panel::GetValueForLua(char *buffer, int bufferSize)
{
	if (buffer && bufferSize > 0)
		memset(buffer, 0, static_cast<size_t>(bufferSize));
}

// Hooks.

bool Panel::CallLuaHook(const char *name, int numArgs, const double *args, bool *result)
{
	if (!g_Lua || !m_pLuaTable || m_pLuaTable->isNil() || IsMarkedForDeletion())
		return false;
	m_pLuaTable->Push();
	g_Lua->PushString(name);
	g_Lua->GetTable(-2);
	if (g_Lua->GetType(-1) != LUA_TYPE_FUNCTION)
	{
		g_Lua->Pop(2);
		return false;
	}
	PushForLua();
	for (int i = 0; i < numArgs; ++i)
		g_Lua->PushNumber(args[i]);
	g_Lua->Call(1 + numArgs, 1);
	if (result)
		*result = g_Lua->GetType(-1) == LUA_TYPE_BOOL && g_Lua->GetBool(-1);
	// The result and the table.
	g_Lua->Pop(2);
	return true;
}

bool Panel::CallCachedLuaHook(CLuaObject *hook, int numArgs, const double *args, bool *result)
{
	if (!g_Lua || !m_pLuaTable || m_pLuaTable->isNil() || IsMarkedForDeletion() || !IsFunction(hook))
		return false;
	hook->Push();
	PushForLua();
	for (int i = 0; i < numArgs; ++i)
		g_Lua->PushNumber(args[i]);
	g_Lua->Call(1 + numArgs, 1);
	if (result)
		*result = g_Lua->GetType(-1) == LUA_TYPE_BOOL && g_Lua->GetBool(-1);
	g_Lua->Pop(1);
	return true;
}

bool Panel::CallCachedLuaHook(CLuaObject *hook, Panel *arg)
{
	if (!g_Lua || !m_pLuaTable || m_pLuaTable->isNil() || IsMarkedForDeletion() || !IsFunction(hook))
		return false;
	hook->Push();
	PushForLua();
	Push_Panel(arg);
	g_Lua->Call(2, 0);
	return true;
}

void Panel::OnActivate() { CallLuaHook("OnActivate"); }
void Panel::OnDeactivate() { CallLuaHook("OnDeactivate"); }

// Overlay panels.

void Panel::SetDrawOverlay(bool drawOverlay)
{
	if (drawOverlay == m_bDrawOverlay)
		return;
	if (drawOverlay)
		g_OverlayPanels.AddToTail(this);
	else
		g_OverlayPanels.FindAndRemove(this);
	m_bDrawOverlay = drawOverlay;
}

// Bounds changes: the parent lays its docked children out again at once.

void Panel::OnBoundsChanged()
{
	if (Panel *parent = GetParent())
		parent->OnChildBoundsChanged(this);
}

void Panel::OnChildBoundsChanged(Panel *)
{
	DoDockedLayout();
	InvalidateLayout(false, false);
}
}

void VGUIPaintOverlayPanels()
{
	m_bDrawingOverlayPanels = true;
	// The list is read afresh each step: a panel painted here may switch overlays on or off.
	for (int i = 0; i < vgui::g_OverlayPanels.Count(); ++i)
	{
		vgui::Panel *panel = vgui::g_OverlayPanels[i];
		if (panel->IsVisible() && vgui::ipanel())
			vgui::ipanel()->PaintTraverse(panel->GetVPanel(), false);
	}
	m_bDrawingOverlayPanels = false;
}
