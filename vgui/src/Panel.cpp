// vgui::Panel: construction, handles, deletion, the tree, geometry, hit testing, pinning,
// layout and docking. Painting lives in PanelPaint.cpp.
#include "vgui_controls/Panel.h"

#include <strings.h>

#include <cstring>

#include "lua/ILuaInterface.h"
#include "lua/LuaObject.h"
#include "menu/FoyerixGlobals.h"
#include "tier0/dbg.h"
#include "tier1/KeyValues.h"
#include "tier1/convar.h"
#include "vgui/IPanel.h"
#include "vgui/IScheme.h"
#include "vgui/ISurface.h"
#include "vgui/IVGui.h"
#include "vgui_controls/Controls.h"
#include "vgui_controls/Tooltip.h"

bool g_bPaintingManually = false;
bool g_bPaintingLevelProgress = false;
bool m_bDrawingOverlayPanels = false;

bool IsTakingScreenshot() { return false; }

static ConVar vgui_visualizelayout("vgui_visualizelayout", "0", 0, "Calls the Lua global VisualizeLayout on each layout");

namespace vgui
{
namespace
{
char *CopyString(const char *text)
{
	if (!text)
		return nullptr;
	size_t n = strlen(text) + 1;
	char *copy = new char[n];
	memcpy(copy, text, n);
	return copy;
}

// The client panel of this module behind an engine panel, or null.
Panel *ModulePanel(VPANEL vpanel)
{
	return vpanel && ipanel() ? ipanel()->GetPanel(vpanel, GetControlsModuleName()) : nullptr;
}
}

// Handles.

Panel *PHandle::Get() const
{
	if (m_iPanelID == INVALID_PANEL || !ivgui())
		return nullptr;
	VPANEL vpanel = ivgui()->HandleToPanel(m_iPanelID);
	return ModulePanel(vpanel);
}

Panel *PHandle::Set(Panel *panel)
{
	m_iPanelID = panel && ivgui() ? ivgui()->PanelToHandle(panel->GetVPanel()) : INVALID_PANEL;
	return panel;
}

Panel *PHandle::Set(HPanel handle)
{
	m_iPanelID = handle;
	return Get();
}

VPANEL VPanelHandle::Get() const
{
	if (m_iPanelID == INVALID_PANEL || !ivgui())
		return 0;
	return ivgui()->HandleToPanel(m_iPanelID);
}

VPANEL VPanelHandle::Set(VPANEL panel)
{
	m_iPanelID = panel && ivgui() ? ivgui()->PanelToHandle(panel) : INVALID_PANEL;
	return panel;
}

// Construction and lifetime.

void Panel::Construct()
{
	RegisterPanelMaps();
	RegisterPanelAnimationVars();
	m_pDragDrop = nullptr;
	_vpanel = 0;
	_panelName = nullptr;
	_pinToSibling = nullptr;
	m_pszOwnedText = nullptr;
	m_pTooltips = nullptr;
	m_pLuaTable = m_pLuaObject = nullptr;
	m_pLuaAnimationThink = m_pLuaThink = m_pLuaPaint = m_pLuaPaintOver = nullptr;
	m_pLuaOnChildRemoved = m_pLuaOnChildAdded = nullptr;
	m_pLuaContainer = nullptr;
	_flags = 0;
	Init(0, 0, 64, 24);
}

Panel::Panel() { Construct(); }

Panel::Panel(Panel *parent)
{
	Construct();
	SetParent(parent);
}

Panel::Panel(Panel *parent, const char *panelName)
{
	Construct();
	SetName(panelName);
	SetParent(parent);
	SetBuildModeEditable(true);
}

void Panel::Init(int x, int y, int wide, int tall)
{
	delete[] _panelName;
	_panelName = nullptr;
	delete[] m_pszOwnedText;
	m_pszOwnedText = nullptr;
	delete[] _pinToSibling;
	_pinToSibling = nullptr;
	m_hMouseEventHandler = nullptr;
	_pinCornerToSibling = 0;
	_pinToSiblingCorner = 0;

	_vpanel = ivgui() ? ivgui()->AllocPanel() : 0;
	if (ipanel())
		ipanel()->Init(_vpanel, this);
	SetPos(x, y);
	SetSize(wide, tall);
	_flags = PAINT_BORDER_ENABLED | PAINT_BACKGROUND_ENABLED | PAINT_ENABLED | AUTODELETE_ENABLED | NEEDS_LAYOUT |
	         NEEDS_SCHEME_UPDATE | NEEDS_DEFAULT_SETTINGS_APPLIED | ALLOW_CHAIN_KEYBINDING_TO_PARENT;
	_pinCornerAndAutoResize = 0;
	m_nResizeDeltaX = m_nResizeDeltaY = m_nResizeDeltaX2 = m_nResizeDeltaY2 = 0;
	_cursor = dc_arrow;
	m_pTooltips = nullptr;
	m_bToolTipOverridden = false;
	m_iScheme = 0;
	_tabPosition = 0;
	_flags3 = 0;
	m_infoFont = 0;
	_border = nullptr;
	m_hBuildGroup = INVALID_PANEL;
	_alpha = 255.0f;
	m_nPaintBackgroundType = 0;
	m_nBgTextureId1 = m_nBgTextureId2 = m_nBgTextureId3 = m_nBgTextureId4 = -1;
	m_nHorizontalGradient = m_nVerticalGradient = m_nHorizontalGradientR = m_nVerticalGradientR = -1;
	m_roundedCorners = 15;
	delete m_pDragDrop;
	m_pDragDrop = new DragDropState_t;
	m_lLastDoublePressTime = 0;
	m_hKeyBindingsContext = INVALID_KEYBINDINGCONTEXT_HANDLE;
	m_OverridableColorEntries.RemoveAll();
	m_OverridableColorEntries.AddToTail({ "fgcolor_override", &_fgColor, Color(), false });
	m_OverridableColorEntries.AddToTail({ "bgcolor_override", &_bgColor, Color(), false });
	for (NavigationTarget &nav : m_NavTargets)
	{
		nav.m_Name = "";
		nav.m_Panel = nullptr;
	}
	m_bPassUnhandledInput = true;
	m_LastNavDirection = 5;
	_buildModeFlags = 0;
	m_bForceStereoRenderToFrameBuffer = false;
	m_pLuaTable = nullptr;
	m_pLuaObject = nullptr;
	m_bPaintedManually = false;
	m_bRenderInScreenshots = true;
	m_bDrawOverlay = false;
	m_bNoClipping = false;
	m_pLuaAnimationThink = m_pLuaThink = m_pLuaPaint = m_pLuaPaintOver = nullptr;
	m_pLuaOnChildRemoved = m_pLuaOnChildAdded = nullptr;
	m_pLuaContainer = nullptr;
	SetPostChildPaintEnabled(false);
	m_iDock = 0;
	memset(m_iDockPadding, 0, sizeof(m_iDockPadding));
	memset(m_iDockMargin, 0, sizeof(m_iDockMargin));
	m_bBoundsChanged = false;
	m_flAlphaOverride = -1.0f;
	SetWorldClicker(false);
}

Panel::~Panel()
{
	if (g_Lua && m_pLuaTable && !m_pLuaTable->isNil() && !IsMarkedForDeletion())
	{
		m_pLuaTable->Push();
		g_Lua->PushString("OnDeletion");
		g_Lua->GetTable(-2);
		if (g_Lua->GetType(-1) == LUA_TYPE_FUNCTION)
		{
			PushForLua();
			g_Lua->Call(1, 0);
			g_Lua->Pop(1);
		}
		else
			g_Lua->Pop(2);
	}

	g_KBMgr.OnPanelDeleted(m_hKeyBindingsContext, this);

	delete static_cast<BaseTooltip *>(m_pTooltips);
	m_pTooltips = nullptr;

	// A drag of a panel on its way out is cancelled: a drop would hand the target messages
	// that name this panel after it is gone.
	if (m_pDragDrop && m_pDragDrop->m_bDragging)
		OnFinishDragging(false, BUTTON_CODE_INVALID, true);

	SetFlag(AUTODELETE_ENABLED, false);
	SetFlag(MARKED_FOR_DELETION, true);

	SetParent(static_cast<VPANEL>(0));

	// Delete the auto-delete children, detach the others.
	while (ipanel() && ipanel()->GetChildCount(_vpanel) > 0)
	{
		VPANEL child = ipanel()->GetChild(_vpanel, 0);
		if (ipanel()->IsAutoDeleteSet(child))
			ipanel()->DeletePanel(child);
		else
			ipanel()->SetParent(child, 0);
		// A child the engine could not detach would hold this loop forever.
		if (ipanel()->GetChildCount(_vpanel) > 0 && ipanel()->GetChild(_vpanel, 0) == child)
			ipanel()->SetParent(child, 0);
	}

	if (ivgui())
		ivgui()->FreePanel(_vpanel);
	delete[] _panelName;
	_panelName = nullptr;

	delete[] m_pszOwnedText;
	m_pszOwnedText = nullptr;
	delete[] _pinToSibling;
	_pinToSibling = nullptr;
	_vpanel = 0;
	delete m_pDragDrop;
	m_pDragDrop = nullptr;

	SetDrawOverlay(false);
	FreeLua();

	for (NavigationTarget &nav : m_NavTargets)
		nav.m_Name = "";
	m_OverridableColorEntries.Purge();
	_actionSignalTargetDar.Purge();
}

void Panel::MarkForDeletion()
{
	if (IsFlag(MARKED_FOR_DELETION))
		return;
	SetFlag(AUTODELETE_ENABLED, false);
	SetFlag(MARKED_FOR_DELETION, true);
	if (ivgui() && ivgui()->IsRunning())
		ivgui()->MarkPanelForDeletion(GetVPanel());
}

void Panel::DeletePanel()
{
	SetFlag(AUTODELETE_ENABLED, false);
	SetFlag(MARKED_FOR_DELETION, true);
	delete this;
}

void Panel::OnDelete() { delete this; }

void Panel::SetAutoDelete(bool state) { SetFlag(AUTODELETE_ENABLED, state); }
bool Panel::IsAutoDeleteSet() { return IsFlag(AUTODELETE_ENABLED); }
bool Panel::IsMarkedForDeletion() { return IsFlag(MARKED_FOR_DELETION); }

// Identity.

void Panel::SetName(const char *panelName)
{
	if (_panelName && panelName && !strcmp(_panelName, panelName))
		return;
	if (!_panelName && !panelName)
		return;
	delete[] _panelName;
	_panelName = CopyString(panelName);
}

const char *Panel::GetName() { return _panelName ? _panelName : ""; }

const char *Panel::GetModuleName() { return GetControlsModuleName(); }

void *Panel::QueryInterface(EInterfaceID id) { return id == ICLIENTPANEL_STANDARD_INTERFACE ? this : nullptr; }

Panel *Panel::HasHotkey(wchar_t) { return nullptr; }
void Panel::OnTick() {}

void Panel::MakeReadyForUse()
{
	UpdateSiblingPin();
	surface()->SolveTraverse(GetVPanel(), true);
}

// Tree.

VPANEL Panel::GetVParent() { return ipanel() ? ipanel()->GetParent(GetVPanel()) : 0; }

Panel *Panel::GetParent() { return ModulePanel(GetVParent()); }

bool Panel::HasParent(VPANEL potentialParent)
{
	if (!potentialParent)
		return false;
	return ipanel()->HasParent(GetVPanel(), potentialParent);
}

int Panel::GetChildCount() { return ipanel() ? ipanel()->GetChildCount(GetVPanel()) : 0; }

Panel *Panel::GetChild(int index) { return ModulePanel(ipanel()->GetChild(GetVPanel(), index)); }

CUtlVector<VPANEL> &Panel::GetChildren() { return ipanel()->GetChildren(GetVPanel()); }

void Panel::SetParent(Panel *newParent) { SetParent(newParent ? newParent->GetVPanel() : static_cast<VPANEL>(0)); }

void Panel::SetParent(VPANEL newParent)
{
	Panel *oldParent = GetVParent() ? GetParent() : nullptr;

	ipanel()->SetParent(GetVPanel(), newParent);
	if (newParent)
		MarkBoundsChanged();

	if (GetVParent() && !IsPopup())
	{
		VPANEL parent = GetVParent();
		SetProportional(ipanel()->IsProportional(parent));
		if (IsKeyBoardInputEnabled() != ipanel()->IsKeyBoardInputEnabled(parent))
			SetKeyBoardInputEnabled(ipanel()->IsKeyBoardInputEnabled(parent));
		if (IsMouseInputEnabled() != ipanel()->IsMouseInputEnabled(parent))
			SetMouseInputEnabled(ipanel()->IsMouseInputEnabled(parent));
	}

	UpdateSiblingPin();

	if (!g_bPaintingManually && oldParent)
		oldParent->OnChildRemoved(this);
}

void Panel::OnChildAdded(VPANEL child)
{
	if (IsFlag(IN_PERFORM_LAYOUT))
		Warning("vgui: Adding child in layout!");
	if (!g_bPaintingManually)
		if (Panel *childPanel = ModulePanel(child))
			CallCachedLuaHook(m_pLuaOnChildAdded, childPanel);
}

void Panel::OnChildRemoved(Panel *child)
{
	if (child)
		CallCachedLuaHook(m_pLuaOnChildRemoved, child);
}

Panel *Panel::FindChildByName(const char *childName, bool recurseDown)
{
	if (!childName)
		return nullptr;
	for (int i = 0; i < GetChildCount(); ++i)
	{
		Panel *child = GetChild(i);
		if (!child)
			continue;
		if (!strcasecmp(child->GetName(), childName))
			return child;
		if (recurseDown)
			if (Panel *found = child->FindChildByName(childName, true))
				return found;
	}
	return nullptr;
}

Panel *Panel::FindSiblingByName(const char *siblingName)
{
	VPANEL parent = GetVParent();
	if (!parent || !siblingName)
		return nullptr;
	int count = ipanel()->GetChildCount(parent);
	for (int i = 0; i < count; ++i)
	{
		Panel *sibling = ModulePanel(ipanel()->GetChild(parent, i));
		if (sibling && !strcasecmp(sibling->GetName(), siblingName))
			return sibling;
	}
	return nullptr;
}

void Panel::CallParentFunction(KeyValues *message)
{
	if (GetVParent())
		ipanel()->SendMessage(GetVParent(), message, GetVPanel());
	if (message)
		message->deleteThis();
}

// Z-order, visibility and enabling.

void Panel::SetZPos(int z)
{
	if (ipanel()->GetZPos(GetVPanel()) != z)
	{
		ipanel()->SetZPos(GetVPanel(), z);
		MarkBoundsChanged();
	}
}

int Panel::GetZPos() { return ipanel()->GetZPos(GetVPanel()); }

void Panel::MoveToFront()
{
	if (IsPopup())
		surface()->MovePopupToFront(GetVPanel());
	else
		ipanel()->MoveToFront(GetVPanel());
}

void Panel::MoveToBack()
{
	if (IsPopup())
		surface()->MovePopupToBack(GetVPanel());
	else
		ipanel()->MoveToBack(GetVPanel());
}

void Panel::SetVisible(bool state)
{
	if (IsVisible() != state)
	{
		ipanel()->SetVisible(GetVPanel(), state);
		MarkBoundsChanged();
	}
}

bool Panel::IsVisible() { return ipanel() ? ipanel()->IsVisible(GetVPanel()) : false; }

void Panel::SetEnabled(bool state)
{
	if (ipanel()->IsEnabled(GetVPanel()) != state)
	{
		ipanel()->SetEnabled(GetVPanel(), state);
		InvalidateLayout(false);
		Repaint();
	}
}

bool Panel::IsEnabled() { return ipanel()->IsEnabled(GetVPanel()); }
bool Panel::IsPopup() { return ipanel()->IsPopup(GetVPanel()); }

// Position and size.

void Panel::SetPos(int x, int y)
{
	int ox, oy;
	ipanel()->GetPos(GetVPanel(), ox, oy);
	if (ox != x || oy != y)
	{
		ipanel()->SetPos(GetVPanel(), x, y);
		MarkBoundsChanged();
	}
}

void Panel::GetPos(int &x, int &y) { ipanel()->GetPos(GetVPanel(), x, y); }

void Panel::SetSize(int wide, int tall)
{
	int ow, ot;
	ipanel()->GetSize(GetVPanel(), ow, ot);
	if (ow != wide || ot != tall)
	{
		ipanel()->SetSize(GetVPanel(), wide, tall);
		MarkBoundsChanged();
	}
}

void Panel::GetSize(int &wide, int &tall) { ipanel()->GetSize(GetVPanel(), wide, tall); }

void Panel::SetBounds(int x, int y, int wide, int tall)
{
	SetPos(x, y);
	SetSize(wide, tall);
}

void Panel::GetBounds(int &x, int &y, int &wide, int &tall)
{
	GetPos(x, y);
	GetSize(wide, tall);
}

void Panel::SetWide(int wide)
{
	int ow, ot;
	GetSize(ow, ot);
	if (ow != wide)
	{
		ipanel()->SetSize(GetVPanel(), wide, ot);
		MarkBoundsChanged();
	}
}

int Panel::GetWide()
{
	int w, t;
	GetSize(w, t);
	return w;
}

void Panel::SetTall(int tall)
{
	int ow, ot;
	GetSize(ow, ot);
	if (ot != tall)
	{
		ipanel()->SetSize(GetVPanel(), ow, tall);
		MarkBoundsChanged();
	}
}

int Panel::GetTall()
{
	int w, t;
	GetSize(w, t);
	return t;
}

void Panel::SetMinimumSize(int wide, int tall)
{
	ipanel()->SetMinimumSize(GetVPanel(), wide, tall);
	MarkBoundsChanged();
}

void Panel::GetMinimumSize(int &wide, int &tall) { ipanel()->GetMinimumSize(GetVPanel(), wide, tall); }

void Panel::GetInset(int &left, int &top, int &right, int &bottom)
{
	ipanel()->GetInset(GetVPanel(), left, top, right, bottom);
}

void Panel::GetClipRect(int &x0, int &y0, int &x1, int &y1) { ipanel()->GetClipRect(GetVPanel(), x0, y0, x1, y1); }

void Panel::LocalToScreen(int &x, int &y)
{
	int px, py;
	ipanel()->GetAbsPos(GetVPanel(), px, py);
	x += px;
	y += py;
}

void Panel::ParentLocalToScreen(int &x, int &y)
{
	int px = 0, py = 0;
	if (GetVParent())
		ipanel()->GetAbsPos(GetVParent(), px, py);
	x += px;
	y += py;
}

void Panel::InternalMove()
{
	OnMove();
	for (int i = 0; i < GetChildCount(); ++i)
		if (Panel *child = GetChild(i))
			child->OnMove();
}

void Panel::OnMove() {}

// Hit testing.

bool Panel::IsWithin(int x, int y)
{
	int x0, y0, x1, y1;
	GetClipRect(x0, y0, x1, y1);
	return x >= x0 && x < x1 && y >= y0 && y < y1;
}

VPANEL Panel::IsWithinTraverse(int x, int y, bool traversePopups)
{
	if (!IsVisible() || !IsMouseInputEnabled())
		return 0;

	if (traversePopups)
	{
		CUtlVector<VPANEL> &children = GetChildren();
		for (int pass = 0; pass < 2; ++pass)
			for (int i = children.Count() - 1; i >= 0; --i)
			{
				VPANEL child = children[i];
				if (ipanel()->IsPopup(child) != (pass == 0))
					continue;
				if (VPANEL hit = ipanel()->IsWithinTraverse(child, x, y, true))
					return hit;
			}
		return IsWithin(x, y) ? GetVPanel() : 0;
	}

	if (!IsWithin(x, y))
		return 0;
	CUtlVector<VPANEL> &children = GetChildren();
	for (int i = children.Count() - 1; i >= 0; --i)
	{
		VPANEL child = children[i];
		if (ipanel()->IsPopup(child))
			continue;
		if (VPANEL hit = ipanel()->IsWithinTraverse(child, x, y, false))
			return hit;
	}
	return GetVPanel();
}

// Proportional mode.

bool Panel::IsProportional() { return IsFlag(IS_PROPORTIONAL); }

void Panel::SetProportional(bool state)
{
	if (state != IsProportional())
	{
		SetFlag(IS_PROPORTIONAL, state);
		for (int i = 0; i < GetChildCount(); ++i)
			if (Panel *child = GetChild(i))
				child->SetProportional(IsProportional());
	}
	InvalidateLayout();
}

// Pinning.

void Panel::PinToSibling(const char *siblingName, PinCorner_e pinOurCorner, PinCorner_e pinSibling)
{
	_pinCornerToSibling = static_cast<unsigned char>(pinOurCorner);
	_pinToSiblingCorner = static_cast<unsigned char>(pinSibling);

	bool same = (!_pinToSibling && !siblingName) || (_pinToSibling && siblingName && !strcmp(_pinToSibling, siblingName));
	if (!same)
	{
		delete[] _pinToSibling;
		_pinToSibling = CopyString(siblingName);
	}
	m_pinSibling = nullptr;
	UpdateSiblingPin();
}

void Panel::UpdateSiblingPin()
{
	if (!_pinToSibling)
	{
		m_pinSibling = nullptr;
		return;
	}
	if (!m_pinSibling.Get())
		m_pinSibling = FindSiblingByName(_pinToSibling);
}

// Screen size.

void Panel::OnScreenSizeChanged(int oldwide, int oldtall)
{
	CallLuaHook("OnScreenSizeChanged");

	CUtlVector<VPANEL> &children = GetChildren();
	for (int i = 0; i < children.Count(); ++i)
	{
		KeyValues *msg = new KeyValues("OnScreenSizeChanged", "oldwide", oldwide, "oldtall", oldtall);
		PostMessage(children[i], msg);
	}

	int x, y, wide, tall;
	GetBounds(x, y, wide, tall);
	if (x == 0 && y == 0 && wide == oldwide && tall == oldtall)
	{
		int screenWide, screenTall;
		surface()->GetScreenSize(screenWide, screenTall);
		SetBounds(0, 0, screenWide, screenTall);
	}

	SetFlag(NEEDS_SCHEME_UPDATE, true);
	InvalidateLayout();
}

// Scheme, cursor, build mode.

HScheme Panel::GetScheme()
{
	if (m_iScheme)
		return m_iScheme;
	if (GetVParent())
		if (HScheme parentScheme = ipanel()->GetScheme(GetVParent()))
			return parentScheme;
	return scheme()->GetDefaultScheme();
}

void Panel::SetScheme(HScheme schemeHandle) { m_iScheme = schemeHandle; }

void Panel::SetScheme(const char *tag)
{
	if (!tag || !*tag)
		return;
	if (HScheme found = scheme()->GetScheme(tag))
		SetScheme(found);
}

void Panel::SetCursor(HCursor cursor) { _cursor = cursor; }
HCursor Panel::GetCursor() { return _cursor; }
void Panel::SetCursorAlwaysVisible(bool visible) { surface()->SetCursorAlwaysVisible(visible); }

void Panel::SetBuildGroup(BuildGroup *) {}
bool Panel::IsBuildGroupEnabled()
{
	Panel *parent = GetParent();
	return parent ? parent->IsBuildGroupEnabled() : false;
}
bool Panel::IsBuildModeActive() { return false; }
void Panel::SetBuildModeEditable(bool state) { _buildModeFlags = state ? (_buildModeFlags | BUILDMODE_EDITABLE) : (_buildModeFlags & ~BUILDMODE_EDITABLE); }
bool Panel::IsBuildModeEditable() { return true; }
void Panel::SetBuildModeDeletable(bool state) { _buildModeFlags = state ? (_buildModeFlags | BUILDMODE_DELETABLE) : (_buildModeFlags & ~BUILDMODE_DELETABLE); }
bool Panel::IsBuildModeDeletable() { return (_buildModeFlags & BUILDMODE_DELETABLE) != 0; }

// Layout and docking.

void Panel::InvalidateLayout(bool layoutNow, bool reloadScheme)
{
	SetFlag(NEEDS_LAYOUT, true);
	if (reloadScheme)
	{
		SetFlag(NEEDS_LAYOUT | NEEDS_SCHEME_UPDATE, true);
		CUtlVector<VPANEL> &children = GetChildren();
		for (int i = 0; i < children.Count(); ++i)
			if (Panel *child = ModulePanel(children[i]))
				child->InvalidateLayout(layoutNow, true);
		PerformApplySchemeSettings();
	}
	if (layoutNow)
	{
		InternalPerformLayout();
		Repaint();
	}
}

void Panel::InternalInvalidateLayout() { InvalidateLayout(false, false); }

void Panel::OnSizeChanged(int, int) { InvalidateLayout(false, false); }

bool Panel::IsLayoutInvalid() { return IsFlag(NEEDS_LAYOUT); }

void Panel::PerformLayout() {}

void Panel::Think()
{
	if (g_bPaintingLevelProgress)
		return;
	if (m_bBoundsChanged)
	{
		m_bBoundsChanged = false;
		OnBoundsChanged();
	}
	CallCachedLuaHook(m_pLuaAnimationThink);
	if (IsVisible())
	{
		CallCachedLuaHook(m_pLuaThink);
		if (IsFlag(NEEDS_LAYOUT))
			InternalPerformLayout();
	}
	OnThink();
}

void Panel::InternalPerformLayout()
{
	SetFlag(IN_PERFORM_LAYOUT, true);
	if (!IsFlag(NEEDS_SCHEME_UPDATE))
		SetFlag(NEEDS_LAYOUT, false);

	if (vgui_visualizelayout.GetInt() != 0 && g_Lua)
	{
		CLuaObject visualize;
		g_Lua->Global()->GetMember("VisualizeLayout", &visualize);
		if (visualize.isFunction())
		{
			visualize.Push();
			PushForLua();
			g_Lua->Call(1, 0);
		}
	}

	DoDockedLayout();

	int wide, tall;
	GetSize(wide, tall);
	double args[2] = { static_cast<double>(wide), static_cast<double>(tall) };
	CallLuaHook("PerformLayout", 2, args);

	if (!IsFlag(NEEDS_SCHEME_UPDATE))
		PerformLayout();
	SetFlag(IN_PERFORM_LAYOUT, false);
}

void Panel::DoDockedLayout()
{
	int wide, tall;
	GetSize(wide, tall);
	TRectangle rect = { m_iDockPadding[0], m_iDockPadding[1], wide - m_iDockPadding[2], tall - m_iDockPadding[3] };

	for (int i = 0; i < GetChildCount(); ++i)
	{
		Panel *child = GetChild(i);
		if (child && child->IsVisible() && child->m_iDock >= DOCK_LEFT)
			DockLayoutChild(child, rect);
	}

	int x = rect.x0, y = rect.y0, w = rect.x1 - rect.x0, h = rect.y1 - rect.y0;
	for (int i = 0; i < GetChildCount(); ++i)
	{
		Panel *child = GetChild(i);
		if (!child || !child->IsVisible() || child->m_iDock != DOCK_FILL)
			continue;
		const int *m = child->m_iDockMargin;
		child->SetPos(x + m[0], y + m[1]);
		child->SetSize(w - m[0] - m[2], h - m[1] - m[3]);
	}
}

void Panel::DockLayoutChild(Panel *child, TRectangle &rect)
{
	const int mL = child->m_iDockMargin[0], mT = child->m_iDockMargin[1];
	const int mR = child->m_iDockMargin[2], mB = child->m_iDockMargin[3];
	switch (child->m_iDock)
	{
	case DOCK_LEFT:
		child->SetPos(rect.x0 + mL, rect.y0 + mT);
		child->SetTall(rect.y1 - rect.y0 - mT - mB);
		rect.x0 += mL + child->GetWide() + mR;
		break;
	case DOCK_RIGHT:
		child->SetPos(rect.x1 - child->GetWide() - mR, rect.y0 + mT);
		child->SetTall(rect.y1 - rect.y0 - mT - mB);
		rect.x1 -= mL + child->GetWide() + mR;
		break;
	case DOCK_TOP:
		child->SetPos(rect.x0 + mL, rect.y0 + mT);
		child->SetWide(rect.x1 - rect.x0 - mL - mR);
		rect.y0 += mT + child->GetTall() + mB;
		break;
	case DOCK_BOTTOM:
		child->SetPos(rect.x0 + mL, rect.y1 - child->GetTall() - mB);
		child->SetWide(rect.x1 - rect.x0 - mL - mR);
		rect.y1 -= mT + child->GetTall() + mB;
		break;
	default:
		break;
	}
}

void Panel::GetDockPadding(int &left, int &top, int &right, int &bottom) const
{
	left = m_iDockPadding[0];
	top = m_iDockPadding[1];
	right = m_iDockPadding[2];
	bottom = m_iDockPadding[3];
}

void Panel::GetDockMargin(int &left, int &top, int &right, int &bottom) const
{
	left = m_iDockMargin[0];
	top = m_iDockMargin[1];
	right = m_iDockMargin[2];
	bottom = m_iDockMargin[3];
}

// Base behaviour of the operations served to the Lua layer and the menu host.

void Panel::SetText(const char *) {}
void Panel::GetText(char *, int) {}
bool Panel::IsPaintedManually() { return m_bPaintedManually; }
void Panel::SetPaintManually(bool state) { m_bPaintedManually = state; }
void Panel::DoModal() {}
void Panel::SetCommand(const char *) {}
bool Panel::IsMenu() { return false; }
int Panel::GetCaretPos() { return 0; }
void Panel::SetCaretPos(int) {}
void Panel::SetWorldClicker(bool state) { m_bWorldClicker = state; }
bool Panel::IsWorldClicker() { return m_bWorldClicker; }

// Defaults of the operations whose behaviour belongs to input routing, focus, settings,
// action signals and key bindings.

VPANEL Panel::GetCurrentKeyFocus() { return 0; }
int Panel::GetTabPosition() { return _tabPosition; }
void Panel::SetTabPosition(int position) { _tabPosition = static_cast<unsigned char>(position); }
void Panel::SetTriplePressAllowed(bool state) { SetFlag(TRIPLE_PRESS_ALLOWED, state); }
bool Panel::IsTriplePressAllowed() const { return IsFlag(TRIPLE_PRESS_ALLOWED); }
}
