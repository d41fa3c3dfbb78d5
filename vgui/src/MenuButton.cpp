// vgui::MenuButton: opens its menu beside itself on a click, keeps itself drawn pressed while the
// menu is open, and closes the menu on a second click, "MenuClose" or a focus loss.
#include "vgui_controls/MenuButton.h"

#include <cstdint>

#include "tier1/KeyValues.h"
#include "vgui/IInput.h"
#include "vgui/IScheme.h"
#include "vgui/ISurface.h"
#include "vgui/IVGui.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/Controls.h"
#include "vgui_controls/TextImage.h"

using namespace vgui;

DECLARE_BUILD_FACTORY_DEFAULT_TEXT(MenuButton, MenuButton);

MenuButton::MenuButton(Panel *parent, const char *panelName, const char *text)
    : Button(parent, panelName, text)
{
	SetDropMenuButtonStyle(false);
	SetUseCaptureMouse(false);
	SetButtonActivationType(ACTIVATE_ONPRESSED);
}

MenuButton::~MenuButton() { delete m_pDropMenuImage; }

void MenuButton::SetMenu(Menu *menu)
{
	m_pMenu = menu;
	if (menu)
	{
		menu->SetVisible(false);
		menu->AddActionSignalTarget(this);
		menu->SetParent(this);
	}
}

void MenuButton::HideMenu()
{
	if (!m_pMenu)
		return;
	m_pMenu->SetVisible(false);
	ForceDepressed(false);
	Repaint();
	OnHideMenu(m_pMenu);
}

void MenuButton::OnMenuClose()
{
	HideMenu();
	PostActionSignal(new KeyValues("MenuClose"));
}

void MenuButton::OnKillFocus(KeyValues *params)
{
	uintptr_t newPanel = reinterpret_cast<uintptr_t>(params ? params->GetPtr("newPanel") : nullptr);
	if (m_pMenu && !m_pMenu->HasFocus() && newPanel != static_cast<uintptr_t>(m_pMenu->GetVPanel()))
		HideMenu();
	BaseClass::OnKillFocus();
}

void MenuButton::ApplySchemeSettings(IScheme *pScheme)
{
	BaseClass::ApplySchemeSettings(pScheme);
	// The label's scheme step dropped every image but the text: put the arrow back after it.
	if (m_pDropMenuImage)
		SetImageAtIndex(1, m_pDropMenuImage, 0);
}

void MenuButton::DoClick()
{
	if (m_bDropMenuButtonStyle && m_pDropMenuImage)
	{
		int cx, cy;
		input()->GetCursorPos(cx, cy);
		ScreenToLocal(cx, cy);
		int iw, ih;
		m_pDropMenuImage->GetContentSize(iw, ih);
		if (cx <= GetWide() - 2 - iw || !OnCheckMenuItemCount())
		{
			BaseClass::DoClick();
			return;
		}
	}
	if (!m_pMenu)
		return;
	if (m_pMenu->IsVisible())
	{
		HideMenu();
		return;
	}
	if (!m_pMenu->IsEnabled())
		return;

	m_pMenu->PerformLayout();
	m_pMenu->PositionRelativeToPanel(this, m_iDirection, m_iOpenOffsetY, false);
	MoveToFront();
	OnShowMenu(m_pMenu);
	ForceDepressed(true);
	m_pMenu->SetVisible(true);
	m_pMenu->RequestFocus();
}

void MenuButton::OnKeyCodeTyped(ButtonCode_t code)
{
	bool shift = input()->IsKeyDown(KEY_LSHIFT) || input()->IsKeyDown(KEY_RSHIFT);
	bool ctrl = input()->IsKeyDown(KEY_LCONTROL) || input()->IsKeyDown(KEY_RCONTROL);
	bool alt = input()->IsKeyDown(KEY_LALT) || input()->IsKeyDown(KEY_RALT);
	if (code == KEY_ENTER && !shift && !ctrl && !alt && !m_bDropMenuButtonStyle)
		DoClick();
	Panel::OnKeyCodeTyped(code);
}

void MenuButton::OnCursorEntered()
{
	BaseClass::OnCursorEntered();
	if (GetVParent())
		ivgui()->PostMessage(GetVParent(),
		                     new KeyValues("CursorEnteredMenuButton", "VPanel",
		                                   static_cast<int>(ivgui()->PanelToHandle(GetVPanel()))),
		                     0);
}

void MenuButton::OnCursorMoved(int x, int y)
{
	Panel::OnCursorMoved(x, y);
	if (!m_bDropMenuButtonStyle)
		return;
	int iw = 0, ih = 0;
	if (m_pDropMenuImage)
		m_pDropMenuImage->GetContentSize(iw, ih);
	if (x > GetWide() - 2 - iw && OnCheckMenuItemCount())
	{
		SetButtonActivationType(ACTIVATE_ONPRESSED);
		SetUseCaptureMouse(false);
	}
	else
	{
		SetButtonActivationType(ACTIVATE_ONPRESSEDANDRELEASED);
		SetUseCaptureMouse(true);
	}
}

void MenuButton::SetDropMenuButtonStyle(bool state)
{
	bool changed = state != m_bDropMenuButtonStyle;
	m_bDropMenuButtonStyle = state;
	if (!changed)
		return;
	if (!state)
	{
		ResetToSimpleTextImage();
		delete m_pDropMenuImage;
		m_pDropMenuImage = nullptr;
		m_nImageIndex = -1;
		return;
	}
	m_pDropMenuImage = new TextImage("u");
	IScheme *pScheme = scheme()->GetIScheme(GetScheme());
	if (pScheme)
		m_pDropMenuImage->SetFont(pScheme->GetFont("Marlett", IsProportional()));
	m_nImageIndex = AddImage(m_pDropMenuImage, 0);
}

void MenuButton::PerformLayout()
{
	BaseClass::PerformLayout();
	if (!m_bDropMenuButtonStyle || !m_pDropMenuImage || m_nImageIndex < 0)
		return;
	m_pDropMenuImage->ResizeImageToContent();
	int iw, ih;
	m_pDropMenuImage->GetContentSize(iw, ih);
	SetImageBounds(m_nImageIndex, GetWide() - 2 - iw, iw);
}

void MenuButton::Paint()
{
	BaseClass::Paint();
	if (!m_bDropMenuButtonStyle)
		return;
	Color col = IsEnabled() ? GetButtonFgColor() : GetDisabledFgColor1();
	int iw = 0, ih = 0;
	if (m_pDropMenuImage)
	{
		m_pDropMenuImage->SetColor(col);
		m_pDropMenuImage->GetContentSize(iw, ih);
	}
	surface()->DrawSetColor(col);
	int x = GetWide() - iw - 2;
	surface()->DrawFilledRect(x, 3, x + 1, GetTall() - 3);
}
