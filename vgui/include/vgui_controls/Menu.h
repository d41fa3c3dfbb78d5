// vgui::Menu: a drop-down list of items. What the panel framework itself relies on: a menu
// is a panel that knows it is one, and a mouse press anywhere closes the open menus that
// don't hold the pressed panel.
#pragma once

#include "vgui_controls/Panel.h"

namespace vgui
{
class Menu : public Panel
{
	DECLARE_CLASS_SIMPLE(Menu, Panel);

public:
	Menu(Panel *parent, const char *panelName);
	~Menu() override;

	bool IsMenu() override { return true; }

	// Hides every shown menu that neither is the pressed panel nor holds it; called on every
	// mouse press (code: the button).
	static void OnInternalMousePressed(Panel *other, ButtonCode_t code);
};
}
