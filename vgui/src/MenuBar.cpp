// vgui::MenuBar: lays its menu buttons out in a row and moves the open menu between them with the
// mouse and the Left and Right keys; letters run the buttons' hot keys.
#include "vgui_controls/MenuBar.h"

#include "tier1/KeyValues.h"
#include "vgui/IPanel.h"
#include "vgui/IScheme.h"
#include "vgui/IVGui.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/Controls.h"
#include "vgui_controls/Menu.h"
#include "vgui_controls/MenuButton.h"

using namespace vgui;

DECLARE_BUILD_FACTORY(MenuBar);

MenuBar::MenuBar(Panel *parent, const char *panelName) : Panel(parent, panelName) {}

// The buttons are child panels and go with the bar's children.
MenuBar::~MenuBar() { m_pMenuButtons.RemoveAll(); }

void MenuBar::AddButton(MenuButton *button)
{
	button->SetParent(this);
	button->AddActionSignalTarget(this);
	m_pMenuButtons.AddToTail(button);
}

void MenuBar::AddMenu(const char *name, Menu *menu)
{
	MenuButton *button = new MenuButton(this, name, name);
	button->SetMenu(menu);
	AddButton(button);
}

void MenuBar::GetContentSize(int &wide, int &tall)
{
	wide = m_nRightEdge + 2;
	tall = GetTall();
}

void MenuBar::OnMenuClose() { RequestFocus(); }

void MenuBar::ApplySchemeSettings(IScheme *pScheme)
{
	BaseClass::ApplySchemeSettings(pScheme);
	SetBorder(pScheme->GetBorder("ButtonBorder"));
	SetBgColor(pScheme->GetColor("MenuBar.BgColor", GetBgColor()));
}

void MenuBar::PerformLayout()
{
	int tall = GetTall();
	int x = 4;
	for (int i = 0; i < m_pMenuButtons.Count(); ++i)
	{
		int w, h;
		m_pMenuButtons[i]->GetContentSize(w, h);
		m_pMenuButtons[i]->SetPos(x, 4);
		m_pMenuButtons[i]->SetSize(w + 8, tall - 8);
		x += w + 4;
	}
	m_nRightEdge = x;
}

void MenuBar::Paint()
{
	IScheme *pScheme = scheme()->GetIScheme(GetScheme());
	IBorder *border = pScheme ? pScheme->GetBorder("ButtonBorder") : nullptr;
	for (int i = 0; i < m_pMenuButtons.Count(); ++i)
		m_pMenuButtons[i]->SetDefaultBorder(m_pMenuButtons[i]->IsArmed() ? border : nullptr);
}

void MenuBar::OnKeyCodeTyped(ButtonCode_t code)
{
	int count = m_pMenuButtons.Count();
	if (code == KEY_LEFT)
	{
		for (int i = 1; i < count; ++i)
			if (m_pMenuButtons[i]->IsDepressed())
			{
				m_pMenuButtons[i]->DoClick();
				m_pMenuButtons[i - 1]->DoClick();
				return;
			}
	}
	else if (code == KEY_RIGHT)
	{
		for (int i = 0; i < count - 1; ++i)
			if (m_pMenuButtons[i]->IsDepressed())
			{
				m_pMenuButtons[i]->DoClick();
				m_pMenuButtons[i + 1]->DoClick();
				return;
			}
	}
}

void MenuBar::OnKeyTyped(wchar_t unichar)
{
	if (!unichar)
		return;
	for (int i = 0; i < m_pMenuButtons.Count(); ++i)
	{
		MenuButton *button = m_pMenuButtons[i];
		if (!button->IsVisible())
			continue;
		if (Panel *target = button->HasHotkey(unichar))
		{
			PostMessage(target, new KeyValues("Hotkey"));
			return;
		}
	}
}

void MenuBar::OnCursorEnteredMenuButton(int VPanel)
{
	VPANEL entered = ivgui()->HandleToPanel(static_cast<HPanel>(VPanel));
	Panel *panel = entered ? ipanel()->GetPanel(entered, GetModuleName()) : nullptr;
	if (!panel)
		return;
	for (int i = 0; i < m_pMenuButtons.Count(); ++i)
	{
		if (!m_pMenuButtons[i]->IsDepressed())
			continue;
		for (int j = 0; j < m_pMenuButtons.Count(); ++j)
			if (j != i && m_pMenuButtons[j] == panel)
			{
				m_pMenuButtons[i]->DoClick();
				m_pMenuButtons[j]->DoClick();
				return;
			}
	}
}
