// vgui::Panel input routing: the Internal handlers that the engine's input messages reach
// (modal test, input switches, build mode, drag capture, the host's gates), the default
// handlers that call the Lua hooks and pass input on to the parent, and the cursor.
#include "lua/ILuaInterface.h"
#include "lua/LuaObject.h"
#include "menu/FoyerixGlobals.h"
#include "tier1/KeyValues.h"
#include "tier1/convar.h"
#include "vgui/IInput.h"
#include "vgui/IPanel.h"
#include "vgui/ISurface.h"
#include "vgui/ISystem.h"
#include "vgui_controls/Controls.h"
#include "vgui_controls/Menu.h"
#include "vgui_controls/Panel.h"
#include "vgui_controls/ZorvGates.h"

namespace vgui
{
PHandle g_DragDropCapture;

namespace
{
// Set while OnKeyCodeTyped runs, so that key bindings are checked once, at the innermost
// panel, even when the key bubbles up through the parents.
bool s_bSuppressRebindChecks = false;

// A press within this many milliseconds after a double press is a triple press.
const unsigned int kTriplePressMilliseconds = 299;

const ButtonCode_t kNoButton = static_cast<ButtonCode_t>(-1);

unsigned int NowMilliseconds() { return static_cast<unsigned int>(system()->GetTimeMillis()); }

// Lua calls of the default handlers happen only while the menu state exists, the panel has
// a table and is not on its way out.
bool LuaReady(Panel *panel)
{
	return g_Lua && panel->HasTable() && !panel->GetTable()->isNil() && !panel->IsMarkedForDeletion();
}

// Calls the global Lua function of that name with the panel.
void CallLuaGlobal(Panel *panel, const char *name)
{
	if (!LuaReady(panel))
		return;
	CLuaObject function;
	g_Lua->Global()->GetMember(name, &function);
	if (!function.isFunction())
		return;
	function.Push();
	panel->PushForLua();
	g_Lua->Call(1, 0);
}

// The engine's "vgui_nav_lock", when it exists.
bool NavigationLocked()
{
	ConVarRef navLock("vgui_nav_lock", true);
	return navLock.IsValid() && navLock.GetInt() != 0;
}

void LockNavigation()
{
	ConVarRef navLock("vgui_nav_lock", true);
	if (navLock.IsValid())
		navLock.SetValue(1);
}

// Pad codes are folded onto the first pad's range; other codes stay as they are.
int NormaliseJoystickCode(int code)
{
	if ((code >= 114 && code <= 145) || (code >= 163 && code <= 170))
		return code - 32 * ((code - 114) / 32);
	if (code >= 146 && code <= 149)
		return code - 4 * ((code - 146) / 4);
	if (code >= 150 && code <= 161)
		return code - 12 * ((code - 150) / 12);
	return code;
}

// The build group takes an event first while build mode is on. The layout editor that would
// claim it is not part of this library, so nothing is taken here.
bool BuildGroupTakes() { return false; }
}

// Modal test and modifiers.

bool Panel::ShouldHandleInputMessage()
{
	VPANEL subTree = input()->GetModalSubTree();
	if (!subTree)
		return true;
	bool inside = ipanel()->HasParent(GetVPanel(), subTree);
	return input()->ShouldModalSubTreeReceiveMessages() ? inside : !inside;
}

int Panel::KeyModifiers()
{
	int modifiers = 0;
	if (input()->IsKeyDown(KEY_LSHIFT) || input()->IsKeyDown(KEY_RSHIFT))
		modifiers |= 1;
	if (input()->IsKeyDown(KEY_LCONTROL) || input()->IsKeyDown(KEY_RCONTROL))
		modifiers |= 2;
	if (input()->IsKeyDown(KEY_LALT) || input()->IsKeyDown(KEY_RALT))
		modifiers |= 4;
	return modifiers;
}

// Cursor helpers.

void Panel::ScreenToLocal(int &x, int &y)
{
	int px, py;
	ipanel()->GetAbsPos(GetVPanel(), px, py);
	x -= px;
	y -= py;
}

// Cursor code 0 stands for no cursor at all.
bool Panel::IsCursorNone() { return GetCursor() == 0; }

bool Panel::IsCursorOver()
{
	int x, y;
	input()->GetCursorPos(x, y);
	int x0, y0, x1, y1;
	ipanel()->GetClipRect(GetVPanel(), x0, y0, x1, y1);
	return x >= x0 && x < x1 && y >= y0 && y < y1;
}

void Panel::SetConsoleStylePanel(bool state)
{
	_flags3 = state ? (_flags3 | FLAGS3_CONSOLE_STYLE) : (_flags3 & ~FLAGS3_CONSOLE_STYLE);
}

void Panel::SetForwardCursorMovesToParent(bool state)
{
	_flags3 = state ? (_flags3 | FLAGS3_FORWARD_CURSOR_MOVES) : (_flags3 & ~FLAGS3_FORWARD_CURSOR_MOVES);
}

void Panel::InternalSetCursor()
{
	if (!IsVisible() || (m_pDragDrop && m_pDragDrop->m_bDragging))
		return;
	if (g_DragDropCapture.Get())
		return;
	for (VPANEL p = GetVPanel(); p; p = ipanel()->GetParent(p))
		if (!ipanel()->IsVisible(p))
			return;
	if (!HasParent(surface()->GetEmbeddedPanel()))
		return;
	HCursor cursor = GetCursor();
	if (HCursor override = input()->GetCursorOveride())
		cursor = override;
	surface()->SetCursor(cursor);
}

// Internal handlers.

void Panel::InternalCursorMoved(int x, int y)
{
	if (Panel *capture = g_DragDropCapture.Get())
	{
		DragDropState_t *drag = capture->GetDragDropInfo();
		bool wasDragging = drag && drag->m_bDragging;
		capture->OnContinueDragging();
		if (wasDragging)
		{
			if (input()->IsKeyDown(KEY_ESCAPE))
				capture->OnFinishDragging(true, kNoButton, true);
			return;
		}
	}

	if (!ShouldHandleInputMessage() || IsCursorNone() || !IsMouseInputEnabled())
		return;
	if (IsBuildGroupEnabled() && BuildGroupTakes())
		return;

	ScreenToLocal(x, y);
	if (LuaReady(this))
	{
		bool stop = false;
		double args[2] = { static_cast<double>(x), static_cast<double>(y) };
		if (CallLuaHook("OnCursorMoved", 2, args, &stop) && stop)
			return;
	}
	OnCursorMoved(x, y);
}

void Panel::InternalCursorEntered()
{
	if (IsCursorNone() || !IsMouseInputEnabled() || IsBuildGroupEnabled())
		return;
	// Tooltips come with their own code; none is ever attached here.
	if (g_Lua && m_pLuaTable)
		m_pLuaTable->SetMember("Hovered", true);
	OnCursorEntered();
}

void Panel::InternalCursorExited()
{
	if (g_Lua && m_pLuaTable)
		m_pLuaTable->SetMember("Hovered", false);
	if (IsCursorNone() || !IsMouseInputEnabled() || IsBuildGroupEnabled())
		return;
	OnCursorExited();
}

void Panel::InternalMousePressed(int code)
{
	if (!ZORV_MousePressAllowed(static_cast<ButtonCode_t>(code)))
		return;

	unsigned int now = NowMilliseconds();
	// 0 means no double press yet: a clock that starts at 0 would otherwise make every early
	// press a triple press.
	if (IsTriplePressAllowed() && m_lLastDoublePressTime != 0 &&
	    now - m_lLastDoublePressTime <= kTriplePressMilliseconds)
	{
		InternalMouseTriplePressed(code);
		return;
	}

	Menu::OnInternalMousePressed(this, static_cast<ButtonCode_t>(code));

	if (!ShouldHandleInputMessage() || IsCursorNone())
		return;

	if (IsMouseInputEnabled())
	{
		if (IsBuildGroupEnabled() && BuildGroupTakes())
			return;
		Panel *handler = m_hMouseEventHandler.Get();
		(handler ? handler : this)->OnMousePressed(static_cast<ButtonCode_t>(code));
	}
	DragDropStartDragging();
}

void Panel::InternalMouseDoublePressed(int code)
{
	m_lLastDoublePressTime = NowMilliseconds();
	if (!ShouldHandleInputMessage() || IsCursorNone() || !IsMouseInputEnabled())
		return;
	if (IsBuildGroupEnabled() && BuildGroupTakes())
		return;
	Panel *handler = m_hMouseEventHandler.Get();
	(handler ? handler : this)->OnMouseDoublePressed(static_cast<ButtonCode_t>(code));
}

void Panel::InternalMouseTriplePressed(int code)
{
	m_lLastDoublePressTime = 0;
	if (!ShouldHandleInputMessage() || IsCursorNone())
		return;
	bool buildMode = IsBuildGroupEnabled();
	if (IsMouseInputEnabled() && !buildMode)
		OnMouseTriplePressed(static_cast<ButtonCode_t>(code));
	if (buildMode)
		return;
	DragDropStartDragging();
}

void Panel::InternalMouseReleased(int code)
{
	if (Panel *capture = g_DragDropCapture.Get())
	{
		DragDropState_t *drag = capture->GetDragDropInfo();
		bool wasDragging = drag && drag->m_bDragging;
		capture->OnFinishDragging(true, static_cast<ButtonCode_t>(code), false);
		if (wasDragging)
			return;
	}

	if (!ShouldHandleInputMessage() || IsCursorNone() || !IsMouseInputEnabled())
		return;
	if (IsBuildGroupEnabled() && BuildGroupTakes())
		return;
	OnMouseReleased(static_cast<ButtonCode_t>(code));
}

void Panel::InternalMouseWheeled(int delta)
{
	if (IsBuildGroupEnabled() || !IsMouseInputEnabled() || !ShouldHandleInputMessage())
		return;
	OnMouseWheeled(delta);
}

void Panel::InternalKeyCodePressed(int code)
{
	if (!ShouldHandleInputMessage())
		return;
	if (IsKeyBoardInputEnabled())
		OnKeyCodePressed(static_cast<ButtonCode_t>(code));
	else
		CallParentFunction(new KeyValues("KeyCodePressed", "code", code));
}

void Panel::InternalKeyCodeTyped(int code)
{
	if (!ShouldHandleInputMessage())
	{
		input()->OnKeyCodeUnhandled(code);
		return;
	}
	if (!IsKeyBoardInputEnabled())
	{
		if (GetVPanel() == surface()->GetEmbeddedPanel())
			input()->OnKeyCodeUnhandled(code);
		CallParentFunction(new KeyValues("KeyCodeTyped", "code", code));
		return;
	}

	int modifiers = KeyModifiers();
	if (IsBuildGroupEnabled())
	{
		BuildGroupTakes();
		return;
	}
	if (!s_bSuppressRebindChecks && IsKeyRebound(static_cast<ButtonCode_t>(code), modifiers))
		return;

	bool wasSuppressed = s_bSuppressRebindChecks;
	s_bSuppressRebindChecks = true;
	OnKeyCodeTyped(static_cast<ButtonCode_t>(code));
	s_bSuppressRebindChecks = wasSuppressed;
}

void Panel::InternalKeyTyped(int unichar)
{
	if (!ShouldHandleInputMessage() || !ZORV_PreventGameKeyRepeat(unichar))
		return;
	if (IsKeyBoardInputEnabled())
	{
		if (IsBuildGroupEnabled() && BuildGroupTakes())
			return;
		OnKeyTyped(static_cast<wchar_t>(unichar));
	}
	else
		CallParentFunction(new KeyValues("KeyTyped", "unichar", unichar));
}

void Panel::InternalKeyCodeReleased(int code)
{
	if (!ShouldHandleInputMessage())
		return;
	if (IsKeyBoardInputEnabled())
	{
		if (IsBuildGroupEnabled() && BuildGroupTakes())
			return;
		OnKeyCodeReleased(static_cast<ButtonCode_t>(code));
	}
	else
		CallParentFunction(new KeyValues("KeyCodeReleased", "code", code));
}

void Panel::InternalKeyFocusTicked()
{
	if (!IsBuildGroupEnabled())
		OnKeyFocusTicked();
}

void Panel::InternalMouseFocusTicked()
{
	if (IsBuildGroupEnabled())
	{
		// The rulers of the layout editor would be repainted here; it has none in this library.
		return;
	}
	InternalSetCursor();
	OnMouseFocusTicked();
}

// Default handlers.

void Panel::OnCursorMoved(int x, int y)
{
	if (!IsForwardingCursorMovesToParent())
		return;
	int px, py;
	GetPos(px, py);
	CallParentFunction(new KeyValues("OnCursorMoved", "x", x + px, "y", y + py));
}

void Panel::OnCursorEntered()
{
	CallLuaGlobal(this, "ChangeTooltip");
	CallLuaHook("OnCursorEntered");
}

void Panel::OnCursorExited()
{
	CallLuaHook("OnCursorExited");
	CallLuaGlobal(this, "EndTooltip");
}

void Panel::OnMousePressed(ButtonCode_t code)
{
	if (IsWorldClicker())
		input()->SetMouseCapture(GetVPanel());
	double args[1] = { static_cast<double>(code) };
	CallLuaHook("OnMousePressed", 1, args);
}

void Panel::OnMouseDoublePressed(ButtonCode_t code) { OnMousePressed(code); }

void Panel::OnMouseTriplePressed(ButtonCode_t code) { OnMousePressed(code); }

void Panel::OnMouseReleased(ButtonCode_t code)
{
	if (IsWorldClicker())
		input()->SetMouseCapture(0);
	double args[1] = { static_cast<double>(code) };
	CallLuaHook("OnMouseReleased", 1, args);
}

void Panel::OnMouseWheeled(int delta)
{
	bool stop = false;
	double args[1] = { static_cast<double>(delta) };
	if (CallLuaHook("OnMouseWheeled", 1, args, &stop) && stop)
		return;
	CallParentFunction(new KeyValues("MouseWheeled", "delta", delta));
}

void Panel::OnKeyCodePressed(ButtonCode_t rawCode)
{
	int code = NormaliseJoystickCode(rawCode);

	Panel *target = nullptr;
	switch (code)
	{
	case KEY_UP: case 146: case 153: case 159:
		if (!NavigationLocked())
			target = NavigateUp();
		break;
	case KEY_LEFT: case 149: case 151: case 157:
		if (!NavigationLocked())
			target = NavigateLeft();
		break;
	case KEY_DOWN: case 148: case 152: case 158:
		if (!NavigationLocked())
			target = NavigateDown();
		break;
	case KEY_RIGHT: case 147: case 150: case 156:
		if (!NavigationLocked())
			target = NavigateRight();
		break;
	case 115:
		if (!NavigationLocked())
			target = NavigateBack();
		break;
	default:
		break;
	}

	if (target)
	{
		LockNavigation();
		surface()->PlaySound("UI/menu_focus.wav");
	}
	else if (!m_bPassUnhandledInput)
		return;

	bool stop = false;
	double args[1] = { static_cast<double>(code) };
	if (CallLuaHook("OnKeyCodePressed", 1, args, &stop) && stop)
		return;
	CallParentFunction(new KeyValues("KeyCodePressed", "code", code));
}

void Panel::OnKeyCodeTyped(ButtonCode_t rawCode)
{
	int code = NormaliseJoystickCode(rawCode);
	bool consoleStyle = IsConsoleStylePanel();

	if ((!consoleStyle || code < KEY_UP) && code == KEY_TAB)
	{
		bool shift = input()->IsKeyDown(KEY_LSHIFT) || input()->IsKeyDown(KEY_RSHIFT);
		if (shift)
		{
			if (consoleStyle)
				NavigateUp();
			else
				RequestFocusPrev(0);
		}
		else
		{
			if (consoleStyle)
				NavigateDown();
			else
				RequestFocusNext(0);
		}
		return;
	}

	if (consoleStyle && ((code >= 88 && code <= 91) || (code >= 114 && code <= 123) || (code >= 146 && code <= 159)))
		return;

	if (GetVPanel() == surface()->GetEmbeddedPanel())
		input()->OnKeyCodeUnhandled(code);
	CallParentFunction(new KeyValues("KeyCodeTyped", "code", code));
}

void Panel::OnKeyTyped(wchar_t unichar)
{
	CallParentFunction(new KeyValues("KeyTyped", "unichar", static_cast<int>(unichar)));
}

void Panel::OnKeyCodeReleased(ButtonCode_t code) { CallParentFunction(new KeyValues("KeyCodeReleased", "code", code)); }

void Panel::OnKeyFocusTicked() { CallParentFunction(new KeyValues("KeyFocusTicked")); }

void Panel::OnMouseFocusTicked() { CallParentFunction(new KeyValues("OnMouseFocusTicked")); }

// Drag and drop while the left button is held: finish on release, cancel on escape.
void Panel::OnThink()
{
	DragDropState_t *drag = m_pDragDrop;
	if (!drag || !drag->m_bDragEnabled || !drag->m_bDragStarted || !drag->m_bDragging)
		return;
	if (input()->IsKeyDown(KEY_ESCAPE))
	{
		OnContinueDragging();
		OnFinishDragging(true, kNoButton, true);
		return;
	}
	if (!drag->m_hDropTarget.Get())
		return;
	if (!input()->IsMouseDown(MOUSE_LEFT))
	{
		OnContinueDragging();
		OnFinishDragging(true, kNoButton, false);
		return;
	}
	DragDropHoverThink();
}
}
