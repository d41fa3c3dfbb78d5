// vgui::Menu: the live menus, and closing the open ones when the mouse is pressed outside.
#include "vgui_controls/Menu.h"

#include "vgui/IPanel.h"
#include "vgui_controls/Controls.h"

namespace vgui
{
namespace
{
// Every live menu, by handle so a deleted one reads as gone.
CUtlVector<PHandle> &LiveMenus()
{
	static CUtlVector<PHandle> s_menus;
	return s_menus;
}
}

Menu::Menu(Panel *parent, const char *panelName) : Panel(parent, panelName)
{
	SetVisible(false);
	PHandle handle;
	handle = this;
	LiveMenus().AddToTail(handle);
}

Menu::~Menu()
{
	CUtlVector<PHandle> &menus = LiveMenus();
	for (int i = menus.Count() - 1; i >= 0; --i)
		if (!menus[i].Get() || menus[i].Get() == this)
			menus.Remove(i);
}

void Menu::OnInternalMousePressed(Panel *other, ButtonCode_t)
{
	CUtlVector<PHandle> &menus = LiveMenus();
	for (int i = 0; i < menus.Count(); ++i)
	{
		Panel *menu = menus[i].Get();
		if (!menu || !menu->IsVisible())
			continue;
		if (other && ipanel()->HasParent(other->GetVPanel(), menu->GetVPanel()))
			continue;
		menu->SetVisible(false);
	}
}
}
