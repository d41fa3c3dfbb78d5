// vgui::MenuItem: one menu row. Fires on release, reports the cursor to its menu, flips its check
// mark when chosen, opens its cascading submenu, and keeps an owned copy of caller data.
#include "vgui_controls/MenuItem.h"

#include <cstdlib>

#include "tier1/KeyValues.h"
#include "tier1/strtools.h"
#include "vgui/IPanel.h"
#include "vgui/IScheme.h"
#include "vgui/ISurface.h"
#include "vgui/IVGui.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/Controls.h"
#include "vgui_controls/Menu.h"
#include "vgui_controls/TextImage.h"

namespace vgui
{
namespace
{
KeyValues *SelectedMessage(Panel *item)
{
	KeyValues *msg = new KeyValues("MenuItemSelected");
	msg->SetPtr("panel", item);
	return msg;
}
}

// The check box glyph of a checkable item, with the mark drawn when the item is checked.
class MenuItemCheckImage : public TextImage
{
public:
	explicit MenuItemCheckImage(MenuItem *item) : TextImage("g"), m_pItem(item) { SetSize(20, 13); }

	void Paint() override
	{
		DrawSetTextFont(GetFont());
		DrawSetTextColor(m_pItem->GetBgColor());
		DrawPrintChar(0, 0, L'g');
		if (!m_pItem->IsChecked())
			return;
		if (m_pItem->IsEnabled())
		{
			DrawSetTextColor(m_pItem->GetButtonFgColor());
			DrawPrintChar(0, 2, L'a');
		}
		else
		{
			DrawSetTextColor(m_pItem->GetDisabledFgColor1());
			DrawPrintChar(1, 3, L'a');
			DrawSetTextColor(m_pItem->GetDisabledFgColor2());
			DrawPrintChar(0, 2, L'a');
		}
	}

private:
	MenuItem *m_pItem;
};

namespace
{
Panel *CreateMenuItem() { return new MenuItem(nullptr, nullptr, "MenuItem", nullptr, false); }
}
DECLARE_BUILD_FACTORY_CUSTOM(MenuItem, CreateMenuItem);

MenuItem::MenuItem(Menu *parent, const char *panelName, const char *text, Menu *cascadeMenu, bool checkable)
    : Button(parent, panelName, text), m_pCascadeMenu(cascadeMenu), m_bCheckable(checkable)
{
	SetButtonActivationType(ACTIVATE_ONRELEASED);
	Init();
}

MenuItem::MenuItem(Menu *parent, const char *panelName, const wchar_t *wszText, Menu *cascadeMenu,
                   bool checkable)
    : Button(parent, panelName, wszText), m_pCascadeMenu(cascadeMenu), m_bCheckable(checkable)
{
	SetButtonActivationType(ACTIVATE_ONRELEASED);
	Init();
}

MenuItem::~MenuItem()
{
	// The label may still hold the images; take them out before freeing them.
	ClearImages();
	delete m_pCascadeMenu;
	m_pCascadeMenu = nullptr;
	delete m_pCascadeArrow;
	delete m_pCheck;
	if (m_pUserData)
		m_pUserData->deleteThis();
}

void MenuItem::Init()
{
	m_pCascadeArrow = nullptr;
	m_pCheck = nullptr;
	if (m_pCascadeMenu)
	{
		m_pCascadeMenu->SetParent(this);
		m_pCascadeArrow = new TextImage("4");
		m_pCascadeMenu->AddActionSignalTarget(this);
	}
	else if (m_bCheckable)
	{
		SetTextImageIndex(1);
		m_pCheck = new MenuItemCheckImage(this);
		SetImageAtIndex(0, m_pCheck, 6);
		m_bChecked = false;
	}
	SetButtonBorderEnabled(false);
	SetUseCaptureMouse(false);
	SetContentAlignment(Label::a_west);
}

Menu *MenuItem::GetParentMenu() { return dynamic_cast<Menu *>(GetParent()); }

void MenuItem::SetChecked(bool state)
{
	if (m_bCheckable)
		m_bChecked = state;
}

void MenuItem::ArmItem()
{
	Menu *menu = GetParentMenu();
	if (menu)
		menu->CloseOtherMenus(this);
	SetArmed(true);
	if (menu)
		menu->ForceCalculateWidth();
	Repaint();
}

void MenuItem::DisarmItem()
{
	if (!m_pCascadeMenu)
		Button::OnCursorExited();
	if (Menu *menu = GetParentMenu())
		menu->ForceCalculateWidth();
	Repaint();
}

void MenuItem::OpenCascadeMenu()
{
	if (!m_pCascadeMenu)
		return;
	m_pCascadeMenu->PerformLayout();
	m_pCascadeMenu->SetVisible(true);
	ArmItem();
}

void MenuItem::CloseCascadeMenu()
{
	if (!m_pCascadeMenu)
		return;
	if (m_pCascadeMenu->IsVisible())
		m_pCascadeMenu->SetVisible(false);
	SetArmed(false);
}

void MenuItem::FireActionSignal()
{
	if (!m_pCascadeMenu)
	{
		if (GetVParent())
			ivgui()->PostMessage(GetVParent(), SelectedMessage(this), GetVPanel());
		Button::FireActionSignal();
		if (m_bCheckable)
			m_bChecked = !m_bChecked;
		return;
	}
	Menu *menu = GetParentMenu();
	if (menu && menu->GetMenuMode() == 1)
		OpenCascadeMenu();
}

KeyValues *MenuItem::GetUserData()
{
	if (m_pCascadeMenu)
		return m_pCascadeMenu->GetItemUserData(m_pCascadeMenu->GetActiveItem());
	return m_pUserData;
}

void MenuItem::SetUserData(const KeyValues *kv)
{
	if (m_pUserData)
		m_pUserData->deleteThis();
	m_pUserData = kv ? kv->MakeCopy() : nullptr;
}

void MenuItem::GetCheckImageSize(int &wide, int &tall)
{
	wide = tall = 0;
	if (!m_pCheck)
		return;
	m_pCheck->ResizeImageToContent();
	m_pCheck->GetSize(wide, tall);
	wide += 6;
}

void MenuItem::OnKeyModeSet()
{
	if (GetVParent())
		ivgui()->PostMessage(GetVParent(), new KeyValues("KeyModeSet"), GetVPanel());
}

void MenuItem::OnKillFocus()
{
	if (Panel *parent = GetParent())
		parent->OnKillFocus();
}

void MenuItem::OnMenuClose() { OnKillFocus(); }

void MenuItem::OnCursorEntered()
{
	if (GetVParent())
		ivgui()->PostMessage(GetVParent(),
		                     new KeyValues("CursorEnteredMenuItem", "VPanel",
		                                   static_cast<int>(ivgui()->PanelToHandle(GetVPanel()))),
		                     0);
}

void MenuItem::OnCursorExited()
{
	if (GetVParent())
		ivgui()->PostMessage(GetVParent(),
		                     new KeyValues("CursorExitedMenuItem", "VPanel",
		                                   static_cast<int>(ivgui()->PanelToHandle(GetVPanel()))),
		                     0);
}

void MenuItem::OnCursorMoved(int x, int y)
{
	Menu *menu = GetParentMenu();
	if (menu && menu->GetMenuMode() == 1)
		OnCursorEntered();
	CallParentFunction(new KeyValues("OnCursorMoved", "x", x, "y", y));
}

void MenuItem::OnKeyCodeReleased(ButtonCode_t code)
{
	Menu *menu = GetParentMenu();
	if (menu && menu->GetMenuMode() == 1 && m_pCascadeMenu)
		return;
	Button::OnKeyCodeReleased(code);
}

void MenuItem::Paint() { Button::Paint(); }

void MenuItem::PerformLayout()
{
	Button::PerformLayout();
	if (m_pCascadeArrow)
		m_pCascadeArrow->SetColor(GetButtonFgColor());
}

void MenuItem::GetContentSize(int &wide, int &tall) { Label::GetContentSize(wide, tall); }

void MenuItem::ApplySchemeSettings(IScheme *pScheme)
{
	Button::ApplySchemeSettings(pScheme);
	Color fg = GetFgColor();
	Color bg = GetBgColor();
	SetDefaultColor(GetSchemeColor("Menu.TextColor", fg, pScheme), GetSchemeColor("Menu.BgColor", bg, pScheme));
	Color armedFg = GetSchemeColor("Menu.ArmedTextColor", fg, pScheme);
	Color armedBg = GetSchemeColor("Menu.ArmedBgColor", bg, pScheme);
	SetArmedColor(armedFg, armedBg);
	SetDepressedColor(armedFg, armedBg);
	const char *inset = pScheme ? pScheme->GetResourceString("Menu.TextInset") : "";
	SetTextInset(inset ? atoi(inset) : 0, 0);
	if (m_pCascadeArrow)
	{
		if (pScheme)
			m_pCascadeArrow->SetFont(pScheme->GetFont("Marlett", IsProportional()));
		m_pCascadeArrow->ResizeImageToContent();
		AddImage(m_pCascadeArrow, 0);
	}
	else if (m_pCheck)
	{
		if (pScheme)
			m_pCheck->SetFont(pScheme->GetFont("Marlett", IsProportional()));
		SetImageAtIndex(0, m_pCheck, 6);
		m_pCheck->ResizeImageToContent();
	}
	if (Menu *menu = GetParentMenu())
		menu->ForceCalculateWidth();
}
}
