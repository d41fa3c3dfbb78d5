// vgui::Menu showing, closing, highlight, keyboard and mouse handling, and the open-menu manager
// that closes every shown menu when the mouse is pressed outside them.
#include <cwctype>

#include "tier1/KeyValues.h"
#include "vgui/IInput.h"
#include "vgui/IPanel.h"
#include "vgui/ISystem.h"
#include "vgui/IVGui.h"
#include "vgui_controls/Controls.h"
#include "vgui_controls/Menu.h"
#include "vgui_controls/MenuItem.h"
#include "vgui_controls/ScrollBar.h"

namespace vgui
{
CMenuManager g_MenuMgr;

namespace
{
// Controller codes used by the menu (the engine's button numbering).
enum
{
	kPadA = 114,
	kPadB = 115,
	kPadUp = 146,
	kPadRight = 147,
	kPadDown = 148,
	kPadLeft = 149,
	kStickRight = 150,
	kStickLeft = 151,
	kStickDown = 152,
	kStickUp = 153,
};

// Codes of the second and later pads fold onto the first pad's.
int BaseCode(int code)
{
	if ((code >= kPadA && code <= 145) || (code >= 163 && code <= 170))
		return kPadA + (code - kPadA) % 32;
	if (code >= kPadUp && code <= 149)
		return kPadUp + (code - kPadUp) % 4;
	if (code >= kStickRight && code <= 161)
		return kStickRight + (code - kStickRight) % 12;
	return code;
}

KeyValues *SelectedMessage(Panel *item)
{
	KeyValues *msg = new KeyValues("MenuItemSelected");
	msg->SetPtr("panel", item);
	return msg;
}

const double kTypeAheadPause = 0.5;
}

// ---- showing and closing ----------------------------------------------------------------------

void Menu::SetVisible(bool state)
{
	if (state == IsVisible())
		return;
	if (state)
	{
		MoveToFront();
		RequestFocus();
		if (m_bUseMenuManager)
			g_MenuMgr.AddMenu(this);
	}
	else
	{
		PostActionSignal(new KeyValues("MenuClose"));
		CloseOtherMenus(nullptr);
		SetCurrentlySelectedItem(-1);
		g_MenuMgr.RemoveMenu(this);
	}
	BaseClass::SetVisible(state);
	m_bScrollBarShown = false;
}

void Menu::OnMenuItemSelected(Panel *panel)
{
	SetVisible(false);
	if (m_pScroller)
		m_pScroller->SetVisible(false);
	if (MenuItem *parentItem = dynamic_cast<MenuItem *>(GetParent()))
		if (Panel *parentMenu = parentItem->GetParent())
			ivgui()->PostMessage(parentMenu->GetVPanel(), SelectedMessage(panel), GetVPanel());
	for (int i = m_MenuItems.Head(); i != m_MenuItems.InvalidIndex(); i = m_MenuItems.Next(i))
		if (m_MenuItems[i] && m_MenuItems[i] == panel)
		{
			m_iActivatedItem = i;
			break;
		}
	if (GetVParent())
		ivgui()->PostMessage(GetVParent(), SelectedMessage(panel), GetVPanel());
}

void Menu::OnKillFocus()
{
	VPANEL focus = input()->GetFocus();
	if (focus && (focus == GetVPanel() || ipanel()->HasParent(focus, GetVPanel())))
		return;
	if (!IsKeyBoardInputEnabled() && !focus)
		return;
	if (MenuItem *parentItem = dynamic_cast<MenuItem *>(GetParent()))
		if (parentItem->GetVParent() && focus == parentItem->GetVParent() && m_iInputMode == 0)
		{
			MoveToFront();
			return;
		}
	PostActionSignal(new KeyValues("MenuClose"));
	SetVisible(false);
}

// ---- highlight ----------------------------------------------------------------------------------

void Menu::SetCurrentlySelectedItem(int itemID)
{
	if (itemID == m_iCurrentlySelectedItemID)
		return;
	if (MenuItem *old = GetMenuItem(m_iCurrentlySelectedItemID))
		old->DisarmItem();
	PostActionSignal(new KeyValues("MenuItemHighlight", "itemID", itemID));
	m_iCurrentlySelectedItemID = itemID;
}

void Menu::SetCurrentlyHighlightedItem(int itemID)
{
	SetCurrentlySelectedItem(itemID);
	int row = m_VisibleSortedItems.Find(itemID);
	if (row < 0)
		return;
	if (m_bScrollBarShown && m_pScroller)
	{
		int top = m_pScroller->GetValue();
		if (row < top || row > top + m_iNumVisibleLines - 1)
			m_pScroller->SetValue(row);
	}
	MenuItem *item = GetMenuItem(m_iCurrentlySelectedItemID);
	if (item && !item->IsArmed())
		item->ArmItem();
}

int Menu::GetCurrentlyHighlightedItem() { return m_iCurrentlySelectedItemID; }

void Menu::ClearCurrentlyHighlightedItem()
{
	if (MenuItem *item = GetMenuItem(m_iCurrentlySelectedItemID))
		item->DisarmItem();
	m_iCurrentlySelectedItemID = -1;
}

void Menu::MoveAlongMenuItemList(int direction, int loopCount)
{
	int itemCount = m_MenuItems.Count();
	// Each pass steps one row; hidden or empty rows are stepped over, at most itemCount times.
	while (itemCount > 0)
	{
		int rowCount = m_VisibleSortedItems.Count();
		int row = m_VisibleSortedItems.Find(m_iCurrentlySelectedItemID) + direction;
		bool scrolling = m_bScrollBarShown && m_pScroller;
		if (row > rowCount - 1)
			row = scrolling ? rowCount - 1 : 0;
		else if (row < 0)
			row = scrolling ? m_pScroller->GetValue() : rowCount - 1;
		if (scrolling)
		{
			int top = m_pScroller->GetValue();
			if (row < top || row > top + m_iNumVisibleLines - 1)
			{
				m_pScroller->SetValue(top + direction);
				InvalidateLayout();
			}
			top = m_pScroller->GetValue();
			if (row < top || row > top + m_iNumVisibleLines - 1)
				m_pScroller->SetValue(row);
		}
		if (row >= 0 && row < rowCount)
			SetCurrentlySelectedItem(m_VisibleSortedItems[row]);
		MenuItem *item = GetMenuItem(m_iCurrentlySelectedItemID);
		if (itemCount <= loopCount || !item)
			return;
		wchar_t text[256];
		text[0] = 0;
		item->GetText(text, 255);
		if (text[0] && item->IsVisible())
			return;
		++loopCount;
	}
}

// ---- keyboard ----------------------------------------------------------------------------------

void Menu::OnKeyCodeTyped(ButtonCode_t keycode)
{
	int code = BaseCode(keycode);
	if (!IsEnabled())
		return;
	if (input()->IsKeyDown(KEY_LALT) || input()->IsKeyDown(KEY_RALT))
	{
		BaseClass::OnKeyCodeTyped(keycode);
		if (m_eTypeAheadMode != TYPE_AHEAD_MODE)
			PostActionSignal(new KeyValues("MenuClose"));
	}
	int sel = m_iCurrentlySelectedItemID;
	auto armHighlighted = [this]() {
		if (MenuItem *item = GetMenuItem(m_iCurrentlySelectedItemID))
			item->ArmItem();
	};
	switch (code)
	{
	case KEY_ESCAPE:
	case kPadB:
		SetVisible(false);
		break;
	case KEY_UP:
	case kPadUp:
	case kStickUp:
	case KEY_DOWN:
	case kPadDown:
	case kStickDown:
		MoveAlongMenuItemList((code == KEY_UP || code == kPadUp || code == kStickUp) ? -1 : 1, 0);
		if (MenuItem *item = GetMenuItem(m_iCurrentlySelectedItemID))
			item->ArmItem();
		else
			BaseClass::OnKeyCodeTyped(keycode);
		break;
	case KEY_RIGHT:
	case kPadRight:
	case kStickRight:
		if (MenuItem *item = GetMenuItem(sel); item && item->HasMenu())
			ActivateItem(sel);
		else
			BaseClass::OnKeyCodeTyped(keycode);
		break;
	case KEY_LEFT:
	case kPadLeft:
	case kStickLeft:
		if (dynamic_cast<MenuItem *>(GetParent()))
			SetVisible(false);
		else
			BaseClass::OnKeyCodeTyped(keycode);
		break;
	case KEY_ENTER:
	case kPadA:
		if (IsValidMenuID(sel))
			ActivateItem(sel);
		else
			BaseClass::OnKeyCodeTyped(keycode);
		break;
	case KEY_PAGEUP:
		if (m_iNumVisibleLines < 2)
			MoveAlongMenuItemList(-1, 0);
		else if (sel >= m_iNumVisibleLines)
			MoveAlongMenuItemList(-(m_iNumVisibleLines + 1), 0);
		else
			MoveAlongMenuItemList(-sel, 0);
		armHighlighted();
		break;
	case KEY_PAGEDOWN:
		if (m_iNumVisibleLines < 2)
			MoveAlongMenuItemList(1, 0);
		else if (sel + m_iNumVisibleLines < GetItemCount())
			MoveAlongMenuItemList(m_iNumVisibleLines - 1, 0);
		else
			MoveAlongMenuItemList(GetItemCount() - 1 - sel, 0);
		armHighlighted();
		break;
	case KEY_HOME:
		MoveAlongMenuItemList(-sel, 0);
		armHighlighted();
		break;
	case KEY_END:
		MoveAlongMenuItemList(GetItemCount() - 1 - sel, 0);
		armHighlighted();
		break;
	default:
		break;
	}
}

void Menu::OnKeyTyped(wchar_t unichar)
{
	if (!unichar)
		return;
	if (m_eTypeAheadMode == TYPE_AHEAD_MODE)
	{
		OnTypeAhead(unichar);
		return;
	}
	if (m_eTypeAheadMode == HOT_KEY_MODE)
	{
		OnHotKey(unichar);
		return;
	}
	int count = GetItemCount();
	if (count <= 0)
		return;
	int start = m_iCurrentlySelectedItemID > 0 ? m_iCurrentlySelectedItemID : 0;
	int chosen = start;
	wchar_t lower = static_cast<wchar_t>(std::towlower(unichar));
	for (int id = (start + 1) % count; id != start; id = (id + 1) % count)
	{
		wchar_t text[256];
		text[0] = 0;
		if (MenuItem *item = GetMenuItem(id))
			item->GetText(text, 254);
		if (text[0] && static_cast<wchar_t>(std::towlower(text[0])) == lower)
		{
			chosen = id;
			break;
		}
	}
	SetCurrentlyHighlightedItem(chosen);
	InvalidateLayout();
}

void Menu::OnTypeAhead(wchar_t unichar)
{
	int count = GetItemCount();
	if (count <= 0)
		return;
	double now = system()->GetCurrentTime();
	if (now - m_fLastTypeAheadTime > kTypeAheadPause)
	{
		m_iNumTypeAheadChars = 1;
		m_szTypeAheadBuf[0] = unichar;
	}
	else if (m_iNumTypeAheadChars < 255)
	{
		m_szTypeAheadBuf[m_iNumTypeAheadChars++] = unichar;
	}
	m_szTypeAheadBuf[m_iNumTypeAheadChars] = 0;
	m_fLastTypeAheadTime = now;

	int start = IsValidMenuID(m_iCurrentlySelectedItemID) ? m_iCurrentlySelectedItemID : 0;
	int chosen = start;
	int id = start;
	do
	{
		wchar_t text[256];
		text[0] = 0;
		if (MenuItem *item = GetMenuItem(id))
			item->GetText(text, 254);
		if (!wcsncmp(text, m_szTypeAheadBuf, m_iNumTypeAheadChars))
		{
			chosen = id;
			break;
		}
		id = (id + 1) % count;
	} while (id != start);
	SetCurrentlyHighlightedItem(chosen);
	InvalidateLayout();
}

void Menu::OnHotKey(wchar_t unichar)
{
	for (int i = 0; i < m_VisibleSortedItems.Count(); ++i)
	{
		MenuItem *item = GetMenuItem(m_VisibleSortedItems[i]);
		if (!item)
			continue;
		if (Panel *target = item->HasHotkey(unichar))
		{
			PostMessage(target, new KeyValues("Hotkey"));
			return;
		}
		if (Menu *cascade = item->GetMenu(); cascade && cascade->IsVisible())
			cascade->OnKeyTyped(unichar);
	}
}

void Menu::OnKeyCodePressed(ButtonCode_t code)
{
	m_iInputMode = 1;
	if (GetVParent())
		ivgui()->PostMessage(GetVParent(), new KeyValues("KeyModeSet"), GetVPanel());
	BaseClass::OnKeyCodePressed(code);
}

void Menu::OnKeyModeSet() { m_iInputMode = 1; }

// ---- mouse ------------------------------------------------------------------------------------

void Menu::OnCursorMoved(int x, int y)
{
	m_iInputMode = 0;
	CallParentFunction(new KeyValues("OnCursorMoved", "x", x, "y", y));
	RequestFocus();
	InvalidateLayout();
}

void Menu::OnCursorEnteredMenuItem(int VPanel)
{
	if (m_iInputMode != 0)
		return;
	VPANEL panel = ivgui()->HandleToPanel(VPanel);
	MenuItem *entered = panel ? dynamic_cast<MenuItem *>(ipanel()->GetPanel(panel, GetModuleName())) : nullptr;
	if (!entered)
		return;
	entered->ArmItem();
	entered->OpenCascadeMenu();
	int id = -1;
	for (int i = m_MenuItems.Head(); i != m_MenuItems.InvalidIndex(); i = m_MenuItems.Next(i))
		if (m_MenuItems[i] == entered)
		{
			id = i;
			break;
		}
	SetCurrentlySelectedItem(id);
}

void Menu::OnCursorExitedMenuItem(int VPanel)
{
	if (m_iInputMode != 0)
		return;
	VPANEL panel = ivgui()->HandleToPanel(VPanel);
	MenuItem *exited = panel ? dynamic_cast<MenuItem *>(ipanel()->GetPanel(panel, GetModuleName())) : nullptr;
	if (exited)
		exited->DisarmItem();
}

void Menu::OnMouseWheeled(int delta)
{
	if (!m_bScrollBarShown || !m_pScroller)
		return;
	m_pScroller->SetValue(m_pScroller->GetValue() - delta);
	InvalidateLayout();
}

void Menu::OnInternalMousePressed(Panel *other, ButtonCode_t code) { g_MenuMgr.OnInternalMousePressed(other, code); }

// ---- the open-menu manager -------------------------------------------------------------------

void CMenuManager::AddMenu(Menu *m)
{
	if (!m)
		return;
	for (int i = 0; i < m_Menus.Count(); ++i)
		if (m_Menus[i].Get() == m)
			return;
	PHandle handle;
	handle = m;
	m_Menus.AddToTail(handle);
}

void CMenuManager::RemoveMenu(Menu *m)
{
	for (int i = m_Menus.Count() - 1; i >= 0; --i)
		if (m_Menus[i].Get() == m)
		{
			m_Menus.Remove(i);
			return;
		}
}

void CMenuManager::OnInternalMousePressed(Panel *, ButtonCode_t)
{
	if (m_Menus.Count() == 0)
		return;
	int x = 0, y = 0;
	input()->GetCursorPos(x, y);
	bool within = false;
	for (int i = m_Menus.Count() - 1; i >= 0; --i)
	{
		Panel *menu = m_Menus[i].Get();
		if (!menu)
		{
			m_Menus.Remove(i);
			continue;
		}
		if (IsWithinMenuOrRelative(menu, x, y))
		{
			within = true;
			break;
		}
	}
	if (within)
		return;
	// Hiding a menu may hide others (its cascade menus), which leave the list themselves.
	while (m_Menus.Count() > 0)
	{
		int last = m_Menus.Count() - 1;
		Panel *menu = m_Menus[last].Get();
		m_Menus.Remove(last);
		if (menu)
			menu->SetVisible(false);
	}
}

bool CMenuManager::IsWithinMenuOrRelative(Panel *menu, int x, int y)
{
	if (!menu)
		return false;
	VPANEL top = menu->IsWithinTraverse(x, y, true);
	if (top && (top == menu->GetVPanel() || ipanel()->HasParent(top, menu->GetVPanel())))
		return true;
	if (Panel *parent = menu->GetParent())
		if (parent->IsWithinTraverse(x, y, true) == parent->GetVPanel())
			return true;
	return false;
}
}
