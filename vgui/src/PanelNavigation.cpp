// Pad navigation of vgui::Panel: the named up/down/left/right/relay/activate/back links,
// their resolution past hidden panels, and what moving between panels tells them.
#include <vector>

#include "tier1/KeyValues.h"
#include "vgui/IPanel.h"
#include "vgui_controls/Controls.h"
#include "vgui_controls/Panel.h"
#include "vgui_controls/Tooltip.h"

namespace vgui
{
namespace
{
enum NavEntry
{
	NAV_UP = 0,
	NAV_DOWN,
	NAV_LEFT,
	NAV_RIGHT,
	NAV_TO_RELAY,
	NAV_ACTIVATE,
	NAV_BACK,
};

// Direction recorded on a panel reached by navigation other than the four directions.
const int kNavOther = 5;

// The children of a panel that belong to this module, copied so that handlers may change
// the tree while they are visited.
std::vector<Panel *> ModuleChildren(Panel *panel)
{
	std::vector<VPANEL> ids;
	CUtlVector<VPANEL> &children = ipanel()->GetChildren(panel->GetVPanel());
	for (int i = 0; i < children.Count(); ++i)
		ids.push_back(children[i]);
	std::vector<Panel *> result;
	for (VPANEL id : ids)
		if (Panel *child = ipanel()->GetPanel(id, panel->GetModuleName()))
			result.push_back(child);
	return result;
}
}

Panel *Panel::ResolveNavTarget(int index)
{
	NavigationTarget &nav = m_NavTargets[index];
	if (Panel *cached = nav.m_Panel.Get())
		return cached;
	const char *name = nav.m_Name.Get();
	if (!name || !*name)
		return nullptr;
	Panel *start = index == NAV_TO_RELAY ? this : GetParent();
	for (; *name == '<'; ++name)
	{
		if (!start)
			return nullptr;
		start = start->GetParent();
	}
	if (!start)
		return nullptr;
	Panel *found = start->FindChildByName(name, true);
	if (found)
		nav.m_Panel = found;
	return nav.m_Panel.Get();
}

Panel *Panel::SearchNav(int index, Panel *first)
{
	// Panels passed through; a loop of hidden panels that does not come back to the start
	// would otherwise be followed for ever.
	std::vector<Panel *> visited;
	Panel *current = this;
	for (;;)
	{
		Panel *target = current->ResolveNavTarget(index);
		if (!target)
			return nullptr;
		if (target == first || target->IsVisible())
			return target;
		for (Panel *seen : visited)
			if (seen == target)
				return nullptr;
		visited.push_back(current);
		if (!first)
			first = current;
		current = target;
	}
}

Panel *Panel::GetNavUp(Panel *first) { return SearchNav(NAV_UP, first); }
Panel *Panel::GetNavDown(Panel *first) { return SearchNav(NAV_DOWN, first); }
Panel *Panel::GetNavLeft(Panel *first) { return SearchNav(NAV_LEFT, first); }
Panel *Panel::GetNavRight(Panel *first) { return SearchNav(NAV_RIGHT, first); }
Panel *Panel::GetNavActivate(Panel *first) { return SearchNav(NAV_ACTIVATE, first); }
Panel *Panel::GetNavBack(Panel *first) { return SearchNav(NAV_BACK, first); }
Panel *Panel::GetNavToRelay(Panel *first) { return SearchNav(NAV_TO_RELAY, first); }

namespace
{
// Leaves from, arrives at to, and records the direction on the panel reached.
Panel *MoveTo(Panel *from, Panel *to, int direction, int *lastDirection)
{
	if (!to)
		return nullptr;
	from->NavigateFrom();
	*lastDirection = direction;
	to->NavigateTo();
	return to;
}
}

Panel *Panel::NavigateUp()
{
	Panel *target = GetNavUp();
	return target ? MoveTo(this, target, 0, &target->m_LastNavDirection) : nullptr;
}

Panel *Panel::NavigateDown()
{
	Panel *target = GetNavDown();
	return target ? MoveTo(this, target, 1, &target->m_LastNavDirection) : nullptr;
}

Panel *Panel::NavigateLeft()
{
	Panel *target = GetNavLeft();
	return target ? MoveTo(this, target, 2, &target->m_LastNavDirection) : nullptr;
}

Panel *Panel::NavigateRight()
{
	Panel *target = GetNavRight();
	return target ? MoveTo(this, target, 3, &target->m_LastNavDirection) : nullptr;
}

Panel *Panel::NavigateActivate()
{
	Panel *target = GetNavActivate();
	return target ? MoveTo(this, target, kNavOther, &target->m_LastNavDirection) : nullptr;
}

Panel *Panel::NavigateBack()
{
	Panel *target = GetNavBack();
	return target ? MoveTo(this, target, kNavOther, &target->m_LastNavDirection) : nullptr;
}

void Panel::NavigateTo()
{
	CallParentFunction(new KeyValues("OnNavigateTo", "panelName", GetName()));
	if (Panel *relay = GetNavToRelay())
	{
		NavigateFrom();
		relay->m_LastNavDirection = kNavOther;
		NavigateToChild(relay);
	}
}

void Panel::NavigateFrom()
{
	for (Panel *child : ModuleChildren(this))
		child->NavigateFrom();
	m_LastNavDirection = kNavOther;
	CallParentFunction(new KeyValues("OnNavigateFrom", "panelName", GetName()));
	if (m_pTooltips)
		static_cast<BaseTooltip *>(m_pTooltips)->HideTooltip();
}

void Panel::NavigateToChild(Panel *navigateTo)
{
	for (Panel *child : ModuleChildren(this))
		child->NavigateFrom();
	if (navigateTo)
		navigateTo->NavigateTo();
}

void Panel::OnNavigateTo(const char *) {}
void Panel::OnNavigateFrom(const char *) {}
}
