// vgui::MenuBar: a row of menu buttons; while one menu is open the mouse or the Left and Right
// keys switch the open menu to another button of the bar.
#pragma once

#include "tier1/utlvector.h"
#include "vgui_controls/Panel.h"

namespace vgui
{
class Menu;
class MenuButton;

class MenuBar : public Panel
{
	DECLARE_CLASS_SIMPLE(MenuBar, Panel);

public:
	MenuBar(Panel *parent, const char *panelName);
	~MenuBar() override;

	void ApplySchemeSettings(IScheme *pScheme) override;
	void OnKeyCodeTyped(ButtonCode_t code) override;
	void OnKeyTyped(wchar_t unichar) override;
	void Paint() override;
	void PerformLayout() override;

	// Its own operations, in slot order.
	virtual void AddButton(MenuButton *button);
	virtual void AddMenu(const char *name, Menu *menu);
	virtual void GetContentSize(int &wide, int &tall);
	MESSAGE_FUNC(OnMenuClose, "MenuClose");
	MESSAGE_FUNC_INT(OnCursorEnteredMenuButton, "CursorEnteredMenuButton", VPanel);

private:
	CUtlVector<MenuButton *> m_pMenuButtons;
	int m_nRightEdge = 0;
};
}
