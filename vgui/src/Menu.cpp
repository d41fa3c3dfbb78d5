// vgui::Menu: item management, layout with a scrolling window of rows, placement beside a panel
// or at the cursor, painting, separators, and closing open menus on outside presses.
#include "vgui_controls/Menu.h"

#include "tier1/KeyValues.h"
#include "tier1/strtools.h"
#include "vgui/IInput.h"
#include "vgui/IPanel.h"
#include "vgui/IScheme.h"
#include "vgui/ISurface.h"
#include "vgui/IVGui.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/Controls.h"
#include "vgui_controls/MenuItem.h"
#include "vgui_controls/ScrollBar.h"
#include "vgui_controls/TextImage.h"

namespace vgui
{
namespace
{
const int kSeparatorHeight = 3;
const int kWorkspaceMargin = 20;
}

DECLARE_BUILD_FACTORY(Menu);

MenuSeparator::MenuSeparator(Panel *parent, const char *panelName) : Panel(parent, panelName)
{
	SetPaintEnabled(true);
	SetPaintBackgroundEnabled(true);
	SetPaintBorderEnabled(false);
}

void MenuSeparator::ApplySchemeSettings(IScheme *pScheme)
{
	BaseClass::ApplySchemeSettings(pScheme);
	SetFgColor(GetSchemeColor("Menu.SeparatorColor", Color(142, 142, 142, 255), pScheme));
	SetBgColor(GetSchemeColor("Menu.BgColor", Color(0, 0, 0, 255), pScheme));
}

void MenuSeparator::Paint()
{
	int wide = 0, tall = 0;
	GetSize(wide, tall);
	surface()->DrawSetColor(GetFgColor());
	surface()->DrawFilledRect(4, 1, wide - 1, 2);
}

Menu::Menu(Panel *parent, const char *panelName) : Panel(parent, panelName)
{
	m_iMenuItemHeight = 22;
	if (IsProportional() && scheme())
		m_iMenuItemHeight = scheme()->GetProportionalScaledValueEx(GetScheme(), 22);
	m_pScroller = new ScrollBar(this, "MenuScrollBar", true);
	m_pScroller->SetVisible(false);
	m_pScroller->AddActionSignalTarget(this);
	m_bScrollBarShown = false;
	SetZPos(1);
	SetVisible(false);
	MakePopup(false, false);
	SetParent(parent);
	m_bSizedForScrollBar = true;
	m_bUseMenuManager = true;
	m_bUseFallbackFont = false;
}

Menu::~Menu()
{
	delete m_pScroller;
	m_pScroller = nullptr;
}

// ---- adding items ----------------------------------------------------------------------------

int Menu::AddTo(MenuItem *item, const char *command, KeyValues *message, Panel *target,
                const KeyValues *userData)
{
	if (message)
		item->SetCommand(message);
	else if (command)
		item->SetCommand(command);
	if (target)
		item->AddActionSignalTarget(target);
	item->SetUserData(userData);
	int id = AddMenuItem(item);
	if (id < 0)
		item->MarkForDeletion();
	return id;
}

#define ZV_MENU_ADD_FORMS(Func, cascadeArg, cascadeParam, checkable)                                              \
	int Menu::Func(const char *itemName, const char *itemText, const char *command, Panel *target,                 \
	               cascadeParam const KeyValues *userData)                                                        \
	{                                                                                                              \
		return AddTo(new MenuItem(this, itemName, itemText, cascadeArg, checkable), command, nullptr, target,     \
		             userData);                                                                                    \
	}                                                                                                              \
	int Menu::Func(const char *itemName, const wchar_t *wszItemText, const char *command, Panel *target,          \
	               cascadeParam const KeyValues *userData)                                                        \
	{                                                                                                              \
		return AddTo(new MenuItem(this, itemName, wszItemText, cascadeArg, checkable), command, nullptr, target,  \
		             userData);                                                                                    \
	}                                                                                                              \
	int Menu::Func(const char *itemName, const char *itemText, KeyValues *message, Panel *target,                 \
	               cascadeParam const KeyValues *userData)                                                        \
	{                                                                                                              \
		return AddTo(new MenuItem(this, itemName, itemText, cascadeArg, checkable), nullptr, message, target,     \
		             userData);                                                                                    \
	}                                                                                                              \
	int Menu::Func(const char *itemName, const wchar_t *wszItemText, KeyValues *message, Panel *target,           \
	               cascadeParam const KeyValues *userData)                                                        \
	{                                                                                                              \
		return AddTo(new MenuItem(this, itemName, wszItemText, cascadeArg, checkable), nullptr, message, target,  \
		             userData);                                                                                    \
	}                                                                                                              \
	int Menu::Func(const char *itemText, const char *command, Panel *target, cascadeParam const KeyValues *userData) \
	{                                                                                                              \
		return Func(itemText, itemText, command, target, cascadeArg##Pass userData);                              \
	}                                                                                                              \
	int Menu::Func(const char *itemText, KeyValues *message, Panel *target, cascadeParam const KeyValues *userData) \
	{                                                                                                              \
		return Func(itemText, itemText, message, target, cascadeArg##Pass userData);                              \
	}                                                                                                              \
	int Menu::Func(const char *itemText, Panel *target, cascadeParam const KeyValues *userData)                    \
	{                                                                                                              \
		return Func(itemText, itemText, itemText, target, cascadeArg##Pass userData);                             \
	}

#define nullptrPass
#define cascadeMenuPass cascadeMenu,
ZV_MENU_ADD_FORMS(AddMenuItem, nullptr, , false)
ZV_MENU_ADD_FORMS(AddCheckableMenuItem, nullptr, , true)
#define ZV_CASCADE_PARAM Menu *cascadeMenu,
ZV_MENU_ADD_FORMS(AddCascadingMenuItem, cascadeMenu, ZV_CASCADE_PARAM, false)
#undef ZV_CASCADE_PARAM
#undef nullptrPass
#undef cascadeMenuPass
#undef ZV_MENU_ADD_FORMS

int Menu::AddMenuItem(MenuItem *item)
{
	if (!item)
		return -1;
	item->SetParent(this);
	int id = m_MenuItems.AddToTail(item);
	if (id == m_MenuItems.InvalidIndex())
		return -1;
	m_SortedItems.AddToTail(id);
	InvalidateLayout(false, false);
	m_bSizedForScrollBar = true;
	item->SetContentAlignment(m_Alignment);
	if (m_hItemFont)
		item->SetFont(m_hItemFont);
	if (m_bUseFallbackFont && m_hFallbackItemFont)
		if (TextImage *text = item->GetTextImage())
			text->SetUseFallbackFont(true, m_hFallbackItemFont);
	if (item->GetHotKey())
		m_eTypeAheadMode = HOT_KEY_MODE;
	return id;
}

void Menu::AddSeparator()
{
	m_Separators.AddToTail(m_MenuItems.Count() - 1);
	m_SeparatorPanels.AddToTail(new MenuSeparator(this, "MenuSeparator"));
}

void Menu::AddSeparatorAfterItem(int itemID)
{
	m_Separators.AddToTail(itemID);
	m_SeparatorPanels.AddToTail(new MenuSeparator(this, "MenuSeparator"));
}

void Menu::UpdateMenuItem(int itemID, const char *itemText, KeyValues *message, const KeyValues *userData)
{
	if (MenuItem *item = GetMenuItem(itemID))
	{
		item->SetText(itemText);
		item->SetCommand(message);
		if (userData)
			item->SetUserData(userData);
	}
	else if (message)
		message->deleteThis();
	m_bSizedForScrollBar = true;
}

void Menu::UpdateMenuItem(int itemID, const wchar_t *wszItemText, KeyValues *message, const KeyValues *userData)
{
	if (MenuItem *item = GetMenuItem(itemID))
	{
		item->SetText(wszItemText, false);
		item->SetCommand(message);
		if (userData)
			item->SetUserData(userData);
	}
	else if (message)
		message->deleteThis();
	m_bSizedForScrollBar = true;
}

void Menu::DeleteAllItems()
{
	for (int i = m_MenuItems.Head(); i != m_MenuItems.InvalidIndex(); i = m_MenuItems.Next(i))
		if (m_MenuItems[i])
			m_MenuItems[i]->MarkForDeletion();
	for (int i = 0; i < m_SeparatorPanels.Count(); ++i)
		if (m_SeparatorPanels[i])
			m_SeparatorPanels[i]->MarkForDeletion();
	m_MenuItems.RemoveAll();
	m_SortedItems.RemoveAll();
	m_VisibleSortedItems.RemoveAll();
	m_Separators.RemoveAll();
	m_SeparatorPanels.RemoveAll();
	m_iCurrentlySelectedItemID = -1;
	InvalidateLayout(false, false);
}

// An id whose place is not before any item of the order goes back at the end, so no item is
// lost from the menu.
void Menu::MoveMenuItem(int itemID, int moveBeforeThisItemID)
{
	int from = m_SortedItems.Find(itemID);
	if (from < 0)
		return;
	m_SortedItems.Remove(from);
	int before = m_SortedItems.Find(moveBeforeThisItemID);
	if (before < 0)
		m_SortedItems.AddToTail(itemID);
	else
		m_SortedItems.InsertBefore(before, itemID);
}

bool Menu::IsValidMenuID(int itemID) { return m_MenuItems.IsValidIndex(itemID); }
int Menu::GetInvalidMenuID() { return -1; }

MenuItem *Menu::GetMenuItem(int itemID) { return IsValidMenuID(itemID) ? m_MenuItems[itemID] : nullptr; }

void Menu::SetItemEnabled(const char *itemName, bool state)
{
	for (int i = m_MenuItems.Head(); i != m_MenuItems.InvalidIndex(); i = m_MenuItems.Next(i))
		if (m_MenuItems[i] && itemName && !V_stricmp(itemName, m_MenuItems[i]->GetName()))
			m_MenuItems[i]->SetEnabled(state);
}

void Menu::SetItemEnabled(int itemID, bool state)
{
	if (MenuItem *item = GetMenuItem(itemID))
		item->SetEnabled(state);
}

void Menu::SetItemVisible(const char *itemName, bool visible)
{
	for (int i = m_MenuItems.Head(); i != m_MenuItems.InvalidIndex(); i = m_MenuItems.Next(i))
		if (m_MenuItems[i] && itemName && !V_stricmp(itemName, m_MenuItems[i]->GetName()))
		{
			m_MenuItems[i]->SetVisible(visible);
			InvalidateLayout();
		}
}

void Menu::SetItemVisible(int itemID, bool visible)
{
	if (MenuItem *item = GetMenuItem(itemID))
		item->SetVisible(visible);
}

void Menu::SetMenuItemChecked(int itemID, bool state)
{
	if (MenuItem *item = GetMenuItem(itemID))
		item->SetChecked(state);
}

void Menu::SetFixedWidth(int width)
{
	m_iFixedWidth = width;
	InvalidateLayout();
}

void Menu::SetMenuItemHeight(int itemHeight) { m_iMenuItemHeight = itemHeight; }
int Menu::GetMenuItemHeight() const { return m_iMenuItemHeight; }

void Menu::SetNumberOfVisibleItems(int numItems)
{
	m_iNumVisibleLines = numItems;
	InvalidateLayout();
}

void Menu::SetFont(HFont font)
{
	m_hItemFont = font;
	if (font && surface())
		m_iMenuItemHeight = surface()->GetFontTall(font) + 2;
	InvalidateLayout();
}

void Menu::SetUseFallbackFont(bool bState, HFont hFallback)
{
	m_hFallbackItemFont = hFallback;
	m_bUseFallbackFont = bState;
}

void Menu::SetTypeAheadMode(MenuTypeAheadMode mode) { m_eTypeAheadMode = mode; }
int Menu::GetTypeAheadMode() { return m_eTypeAheadMode; }

void Menu::ActivateItem(int itemID)
{
	MenuItem *item = GetMenuItem(itemID);
	if (!item || !item->IsEnabled())
		return;
	item->FireActionSignal();
	m_iActivatedItem = itemID;
}

void Menu::SilentActivateItem(int itemID)
{
	MenuItem *item = GetMenuItem(itemID);
	if (item && item->IsEnabled())
		m_iActivatedItem = itemID;
}

void Menu::ActivateItemByRow(int row)
{
	if (row >= 0 && row < m_SortedItems.Count())
		ActivateItem(m_SortedItems[row]);
}

int Menu::GetActiveItem() { return m_iActivatedItem; }
int Menu::GetItemCount() { return m_MenuItems.Count(); }

int Menu::GetMenuID(int index)
{
	if (index < 0 || index >= m_SortedItems.Count())
		return -1;
	return m_SortedItems[index];
}

KeyValues *Menu::GetItemUserData(int itemID)
{
	MenuItem *item = GetMenuItem(itemID);
	if (!item || !item->IsEnabled())
		return nullptr;
	return item->GetUserData();
}

void Menu::GetItemText(int itemID, wchar_t *text, int bufLenInBytes)
{
	if (!text || bufLenInBytes < static_cast<int>(sizeof(wchar_t)))
		return;
	text[0] = 0;
	if (MenuItem *item = GetMenuItem(itemID))
		item->GetText(text, bufLenInBytes);
}

// ---- highlight (the part the items and the layout need) --------------------------------------

int Menu::GetMenuMode() { return m_iInputMode; }

void Menu::CloseOtherMenus(MenuItem *keep)
{
	for (int i = m_MenuItems.Head(); i != m_MenuItems.InvalidIndex(); i = m_MenuItems.Next(i))
		if (m_MenuItems[i] && m_MenuItems[i] != keep)
			m_MenuItems[i]->CloseCascadeMenu();
}

// ---- width, layout, scrolling -----------------------------------------------------------------

bool Menu::IsSeparatorAnchor(int itemID) const { return m_Separators.Find(itemID) >= 0; }

int Menu::CountVisibleItems()
{
	int count = 0;
	for (int i = 0; i < m_SortedItems.Count(); ++i)
		if (MenuItem *item = GetMenuItem(m_SortedItems[i]))
			if (item->IsVisible())
				++count;
	return count;
}

void Menu::GetWorkspace(int &x, int &y, int &wide, int &tall)
{
	x = y = 0;
	wide = tall = 0;
	if (surface())
		surface()->GetScreenSize(wide, tall);
}

// Inset values: the menu's border has equal insets, so right/bottom stand for the vertical inset.
int Menu::UsableHeight()
{
	int x, y, wide, tall;
	GetWorkspace(x, y, wide, tall);
	int il, it, ir, ib;
	GetInset(il, it, ir, ib);
	return tall - kWorkspaceMargin - (ir + ib);
}

int Menu::ComputeFullMenuHeightWithInsets()
{
	int il, it, ir, ib;
	GetInset(il, it, ir, ib);
	int total = ir + ib;
	for (int i = 0; i < m_SortedItems.Count(); ++i)
	{
		MenuItem *item = GetMenuItem(m_SortedItems[i]);
		if (!item || !item->IsVisible())
			continue;
		total += m_iMenuItemHeight;
		if (IsSeparatorAnchor(m_SortedItems[i]))
			total += kSeparatorHeight;
	}
	return total;
}

void Menu::CalculateWidth()
{
	if (!m_bSizedForScrollBar)
		return;
	m_iMenuWide = 0;
	if (!m_iFixedWidth)
		for (int i = m_MenuItems.Head(); i != m_MenuItems.InvalidIndex(); i = m_MenuItems.Next(i))
		{
			if (!m_MenuItems[i])
				continue;
			int wide = 0, tall = 0;
			m_MenuItems[i]->GetContentSize(wide, tall);
			if (wide + 8 > m_iMenuWide)
				m_iMenuWide = wide + 8;
		}
	if (m_iMenuWide < m_iMinimumWidth)
		m_iMenuWide = m_iMinimumWidth;
	m_bSizedForScrollBar = false;
}

void Menu::ForceCalculateWidth()
{
	m_bSizedForScrollBar = true;
	CalculateWidth();
	PerformLayout();
}

void Menu::MakeItemsVisibleInScrollRange(int maxVisibleItems, int nNumPixelsAvailable)
{
	for (int i = m_MenuItems.Head(); i != m_MenuItems.InvalidIndex(); i = m_MenuItems.Next(i))
		if (m_MenuItems[i])
			m_MenuItems[i]->SetBounds(0, 0, 0, 0);
	for (int i = 0; i < m_SeparatorPanels.Count(); ++i)
		m_SeparatorPanels[i]->SetVisible(false);
	m_VisibleSortedItems.RemoveAll();
	int start = m_pScroller ? m_pScroller->GetValue() : 0;
	if (start < 0)
		start = 0;
	int used = 0;
	for (int i = start; i < m_SortedItems.Count(); ++i)
	{
		int id = m_SortedItems[i];
		MenuItem *item = GetMenuItem(id);
		if (!item || !item->IsVisible())
			continue;
		int height = m_iMenuItemHeight + (IsSeparatorAnchor(id) ? kSeparatorHeight : 0);
		if (used + height > nNumPixelsAvailable)
			break;
		if (maxVisibleItems > 0 && m_VisibleSortedItems.Count() >= maxVisibleItems)
			break;
		used += height;
		m_VisibleSortedItems.AddToTail(id);
	}
}

void Menu::AddScrollBar()
{
	m_bScrollBarShown = true;
	if (m_pScroller)
		m_pScroller->SetVisible(true);
}

void Menu::RemoveScrollBar()
{
	m_bScrollBarShown = false;
	if (m_pScroller)
		m_pScroller->SetVisible(false);
}

void Menu::LayoutMenuBorder()
{
	IScheme *pScheme = scheme() ? scheme()->GetIScheme(GetScheme()) : nullptr;
	if (!pScheme)
		return;
	if (IBorder *border = pScheme->GetBorder("MenuBorder"))
		SetBorder(border);
}

void Menu::PerformLayout()
{
	MenuItem *parentItem = dynamic_cast<MenuItem *>(GetParent());
	int usable = UsableHeight();
	int full = ComputeFullMenuHeightWithInsets();
	bool needScroll = full >= usable || (m_iNumVisibleLines > 0 && CountVisibleItems() > m_iNumVisibleLines);
	if (needScroll)
	{
		AddScrollBar();
		MakeItemsVisibleInScrollRange(m_iNumVisibleLines, full < usable ? full : usable);
	}
	else
	{
		RemoveScrollBar();
		m_VisibleSortedItems.RemoveAll();
		for (int i = 0; i < m_SortedItems.Count(); ++i)
			if (MenuItem *item = GetMenuItem(m_SortedItems[i]))
				if (item->IsVisible())
					m_VisibleSortedItems.AddToTail(m_SortedItems[i]);
		for (int i = 0; i < m_SeparatorPanels.Count(); ++i)
			m_SeparatorPanels[i]->SetVisible(false);
	}
	LayoutMenuBorder();

	int il, it, ir, ib;
	GetInset(il, it, ir, ib);
	int menuWide = 0, menuTall = 0;
	GetSize(menuWide, menuTall);
	int barWide = m_pScroller ? m_pScroller->GetWide() : 0;
	int rowWide = menuWide - (needScroll ? barWide : 0);

	int y = 0;
	int total = ir + ib;
	for (int i = 0; i < m_VisibleSortedItems.Count(); ++i)
	{
		int id = m_VisibleSortedItems[i];
		MenuItem *item = GetMenuItem(id);
		if (!item || !item->IsVisible())
			continue;
		if (total >= usable)
			break;
		if (m_hItemFont)
			item->SetFont(m_hItemFont);
		item->SetPos(0, y);
		item->SetTall(m_iMenuItemHeight);
		y += m_iMenuItemHeight;
		total += m_iMenuItemHeight;
		if (!item->IsCheckable())
		{
			if (m_iCheckImageWidth > 0)
				item->SetTextInset(m_iCheckImageWidth, 0);
		}
		else
			item->SetTextInset(0, 0);
		int sep = m_Separators.Find(id);
		if (sep >= 0 && sep < m_SeparatorPanels.Count())
		{
			m_SeparatorPanels[sep]->SetVisible(true);
			m_SeparatorPanels[sep]->SetBounds(0, y, rowWide, kSeparatorHeight);
			y += kSeparatorHeight;
			total += kSeparatorHeight;
		}
	}

	if (m_iFixedWidth)
		m_iMenuWide = m_iFixedWidth - (m_bScrollBarShown ? barWide : 0);
	else
	{
		m_bSizedForScrollBar = true;
		CalculateWidth();
	}
	for (int i = m_MenuItems.Head(); i != m_MenuItems.InvalidIndex(); i = m_MenuItems.Next(i))
		if (m_MenuItems[i])
			m_MenuItems[i]->SetWide(m_iMenuWide - il - it);

	int wx, wy, ww, wt;
	GetWorkspace(wx, wy, ww, wt);
	int wide = m_iMenuWide + (m_bScrollBarShown ? barWide : 0);
	int tall = y + ir + ib;
	SetSize(wide < ww ? wide : ww, tall < usable ? tall : usable);

	if (parentItem)
		PositionCascadingMenu();
	if (m_pScroller && m_pScroller->IsVisible())
		LayoutScrollBar();
	for (int i = m_MenuItems.Head(); i != m_MenuItems.InvalidIndex(); i = m_MenuItems.Next(i))
		if (m_MenuItems[i])
			m_MenuItems[i]->InvalidateLayout();
	Repaint();
}

void Menu::LayoutScrollBar()
{
	int il, it, ir, ib;
	GetInset(il, it, ir, ib);
	int wide = 0, tall = 0;
	GetSize(wide, tall);
	m_pScroller->SetEnabled(false);
	m_pScroller->SetRangeWindow(m_VisibleSortedItems.Count());
	m_pScroller->SetRange(0, CountVisibleItems());
	m_pScroller->SetButtonPressedScrollValue(1);
	m_pScroller->SetPos(wide - it - m_pScroller->GetWide(), 1);
	m_pScroller->SetSize(m_pScroller->GetWide(), tall - ib - ir);
	m_pScroller->InvalidateLayout();
}

void Menu::PositionCascadingMenu()
{
	Panel *parentItem = GetParent();
	if (!parentItem)
		return;
	int itemWide = parentItem->GetWide();
	int x = itemWide, y = 0;
	parentItem->LocalToScreen(x, y);
	SetPos(x, y);
	int wx, wy, ww, wt;
	GetWorkspace(wx, wy, ww, wt);
	int wide = 0, tall = 0;
	GetSize(wide, tall);
	if (x + wide > wx + ww)
		x = x - itemWide - wide - 2;
	else
		x = x + 1;
	if (y + tall > wy + wt)
		y = y - (y + tall - (wy + wt)) - 2;
	else
		y = y - 1;
	SetPos(x, y);
	MoveToFront();
}

void Menu::OnSliderMoved()
{
	CloseOtherMenus(nullptr);
	InvalidateLayout();
	Repaint();
}

// ---- placement --------------------------------------------------------------------------------

void Menu::PositionRelativeToPanel(Panel *relative, MenuDirection_e direction, int nAdditionalYOffset,
                                   bool showMenu)
{
	if (!relative)
		return;
	int rx, ry, wide, tall;
	relative->GetBounds(rx, ry, wide, tall);
	int x = 0, y = 0;
	relative->LocalToScreen(x, y);
	if (direction == ALIGN_WITH_PARENT && relative->GetParent())
	{
		x = 0;
		y = 0;
		relative->GetParent()->LocalToScreen(x, y);
		x -= 1;
		y += nAdditionalYOffset + tall;
		wide = tall = 0;
	}
	else if (direction == CURSOR)
	{
		if (input())
			input()->GetCursorPos(x, y);
		wide = tall = 0;
	}

	int wx, wy, ww, wt;
	GetWorkspace(wx, wy, ww, wt);
	int usable = UsableHeight();
	int menuWide = 0, menuTall = 0;
	GetSize(menuWide, menuTall);

	int top;
	auto beside = [&]() { x = (x + wide + menuWide > ww) ? x - menuWide : x + wide; };
	if (direction != UP)
	{
		if (y + tall + menuTall + 1 < usable)
			top = y + tall + 1;
		else if (menuTall >= y)
		{
			top = usable - menuTall;
			beside();
		}
		else
			top = y - menuTall;
	}
	else
	{
		top = y - menuTall;
		if (top < 0)
		{
			top = y + tall + 1;
			if (menuTall >= usable - top)
			{
				beside();
				top = usable - menuTall;
			}
		}
	}
	int left = x + menuWide <= ww ? (x < 0 ? 0 : x) : ww - menuWide;
	SetPos(left, top);
	if (showMenu)
		SetVisible(true);
}

void Menu::PlaceContextMenu(Panel *parent, Menu *menu)
{
	if (!parent || !menu)
		return;
	menu->SetVisible(false);
	menu->SetParent(parent);
	menu->AddActionSignalTarget(parent);
	int cx = 0, cy = 0;
	if (input())
		input()->GetCursorPos(cx, cy);
	menu->SetVisible(true);
	menu->InvalidateLayout(true, false);
	int sw = 0, st = 0;
	if (surface())
		surface()->GetScreenSize(sw, st);
	int mw = 0, mt = 0;
	menu->GetSize(mw, mt);
	int x = cx, y = cy;
	if (sw - mw <= cx)
		x -= mw;
	if (st - mt <= cy)
		y -= mt;
	menu->SetPos(x, y);
	menu->RequestFocus();
}

// ---- colours, scheme, painting ----------------------------------------------------------------

void Menu::SetBgColor(Color newColor)
{
	BaseClass::SetBgColor(newColor);
	for (int i = m_MenuItems.Head(); i != m_MenuItems.InvalidIndex(); i = m_MenuItems.Next(i))
		if (m_MenuItems[i] && m_MenuItems[i]->HasMenu())
			m_MenuItems[i]->GetMenu()->SetBgColor(newColor);
}

void Menu::SetFgColor(Color newColor)
{
	BaseClass::SetFgColor(newColor);
	for (int i = m_MenuItems.Head(); i != m_MenuItems.InvalidIndex(); i = m_MenuItems.Next(i))
		if (m_MenuItems[i] && m_MenuItems[i]->HasMenu())
			m_MenuItems[i]->GetMenu()->SetFgColor(newColor);
}

void Menu::SetBorder(IBorder *border) { BaseClass::SetBorder(border); }

void Menu::ApplySchemeSettings(IScheme *pScheme)
{
	BaseClass::ApplySchemeSettings(pScheme);
	SetFgColor(GetSchemeColor("Menu.TextColor", pScheme));
	SetBgColor(GetSchemeColor("Menu.BgColor", pScheme));
	m_ScrollBarDividerColor = pScheme ? pScheme->GetColor("BorderDark", Color(255, 255, 255, 0))
	                                  : Color(255, 255, 255, 0);
	for (int i = m_MenuItems.Head(); i != m_MenuItems.InvalidIndex(); i = m_MenuItems.Next(i))
	{
		if (!m_MenuItems[i] || !m_MenuItems[i]->IsCheckable())
			continue;
		int wide = 0, tall = 0;
		m_MenuItems[i]->GetCheckImageSize(wide, tall);
		if (wide > m_iCheckImageWidth)
			m_iCheckImageWidth = wide;
	}
	m_bSizedForScrollBar = true;
	CalculateWidth();
	InvalidateLayout();
}

void Menu::Paint()
{
	if (!m_pScroller || !m_pScroller->IsVisible())
		return;
	int wide = 0, tall = 0;
	GetSize(wide, tall);
	int barWide = m_pScroller->GetWide();
	surface()->DrawSetColor(m_ScrollBarDividerColor);
	surface()->DrawFilledRect(wide - barWide, -1, wide - barWide + 1, tall);
}

void Menu::OnCommand(const char *command)
{
	PostActionSignal(new KeyValues("Command", "command", command));
	BaseClass::OnCommand(command);
}
}
