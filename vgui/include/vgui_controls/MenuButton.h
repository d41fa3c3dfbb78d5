// vgui::MenuButton: a button that opens its menu beside itself and closes it again; in the
// drop-menu style it shows a down-arrow part at its right edge.
#pragma once

#include "vgui_controls/Button.h"
#include "vgui_controls/Menu.h"

namespace vgui
{
class TextImage;

class MenuButton : public Button
{
	DECLARE_CLASS_SIMPLE(MenuButton, Button);

public:
	MenuButton(Panel *parent, const char *panelName, const char *text);
	~MenuButton() override;

	void ApplySchemeSettings(IScheme *pScheme) override;
	void OnCursorMoved(int x, int y) override;
	void OnCursorEntered() override;
	void OnKeyCodeTyped(ButtonCode_t code) override;
	void Paint() override;
	void PerformLayout() override;
	void DoClick() override;
	bool CanBeDefaultButton() override { return false; }
	void DrawFocusBorder(int, int, int, int) override {}

	// Its own operations, in slot order.
	virtual void OnShowMenu(Menu *) {}
	virtual void OnHideMenu(Menu *) {}
	virtual bool OnCheckMenuItemCount() { return false; }
	virtual void SetMenu(Menu *menu);
	virtual void HideMenu();
	MESSAGE_FUNC(OnMenuClose, "MenuClose");
	virtual void OnKillFocus(KeyValues *params);
	using BaseClass::OnKillFocus;
	virtual void SetOpenOffsetY(int yOffset) { m_iOpenOffsetY = yOffset; }
	virtual void SetOpenDirection(Menu::MenuDirection_e direction) { m_iDirection = direction; }

	void SetDropMenuButtonStyle(bool state);
	Menu *GetMenu() { return m_pMenu; }

private:
	// "KillFocus" goes to the overload that reads the message (the name is overloaded, so the
	// handler is named by its exact type here).
	class KillFocusRegistrar
	{
	public:
		KillFocusRegistrar()
		{
			static bool s_added = false;
			if (s_added)
				return;
			s_added = true;
			MenuButton::AddToMap("KillFocus",
			                     ToMessageFunc(static_cast<void (MenuButton::*)(KeyValues *)>(&MenuButton::OnKillFocus)),
			                     1, DATATYPE_KEYVALUES, nullptr, 0, nullptr);
		}
	};
	KillFocusRegistrar m_KillFocusRegistrar;

	Menu *m_pMenu = nullptr;
	Menu::MenuDirection_e m_iDirection = Menu::DOWN;
	int m_iOpenOffsetY = 0;
	bool m_bDropMenuButtonStyle = true;
	TextImage *m_pDropMenuImage = nullptr;
	int m_nImageIndex = -1;
};
}
