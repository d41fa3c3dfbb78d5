// vgui::MenuItem: one row of a vgui::Menu, a border-less button that fires on release, with an
// optional check mark, an optional cascading submenu and an owned copy of caller data.
#pragma once

#include "vgui_controls/Button.h"

class KeyValues;

namespace vgui
{
class Menu;
class TextImage;
class MenuItemCheckImage;

class MenuItem : public Button
{
	DECLARE_CLASS_SIMPLE(MenuItem, Button);

public:
	MenuItem(Menu *parent, const char *panelName, const char *text, Menu *cascadeMenu = nullptr,
	         bool checkable = false);
	MenuItem(Menu *parent, const char *panelName, const wchar_t *wszText, Menu *cascadeMenu = nullptr,
	         bool checkable = false);
	~MenuItem() override;

	void ApplySchemeSettings(IScheme *pScheme) override;
	void OnKillFocus() override;
	void OnCursorMoved(int x, int y) override;
	void OnCursorEntered() override;
	void OnCursorExited() override;
	void OnKeyCodeReleased(ButtonCode_t code) override;
	void Paint() override;
	void PerformLayout() override;
	void GetContentSize(int &wide, int &tall) override;
	void FireActionSignal() override;
	bool CanBeDefaultButton() override { return false; }
	IBorder *GetBorder(bool depressed, bool armed, bool selected, bool keyfocus) override { return nullptr; }

	MESSAGE_FUNC(ArmItem, "ArmItem");
	MESSAGE_FUNC(DisarmItem, "DisarmItem");
	MESSAGE_FUNC(OnKeyModeSet, "KeyModeSet");
	virtual void Init();

	Menu *GetParentMenu();
	bool HasMenu() const { return m_pCascadeMenu != nullptr; }
	Menu *GetMenu() const { return m_pCascadeMenu; }
	bool IsCheckable() const { return m_bCheckable; }
	bool IsChecked() const { return m_bChecked; }
	void SetChecked(bool state);
	void OpenCascadeMenu();
	void CloseCascadeMenu();
	KeyValues *GetUserData();
	void SetUserData(const KeyValues *kv);
	void GetCheckImageSize(int &wide, int &tall);

private:
	MESSAGE_FUNC(OnMenuClose, "MenuClose");

	Menu *m_pCascadeMenu;
	bool m_bCheckable;
	bool m_bChecked = false;
	TextImage *m_pCascadeArrow = nullptr;
	MenuItemCheckImage *m_pCheck = nullptr;
	KeyValues *m_pUserData = nullptr;
};
}
