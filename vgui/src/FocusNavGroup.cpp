// vgui::FocusNavGroup: tab-order scans over the main panel's children, forwarding to the
// enclosing panel, and the default-button role with its messages.
#include "vgui_controls/FocusNavGroup.h"

#include "tier1/KeyValues.h"
#include "vgui/IPanel.h"
#include "vgui/ISurface.h"
#include "vgui/IVGui.h"
#include "vgui_controls/Controls.h"
#include "vgui_controls/Panel.h"

namespace vgui
{
namespace
{
// Nesting of RequestFocusNext across every group: forwarding upward stops beyond this depth.
int s_RequestFocusNextDepth = 0;
const int kMaxForwardDepth = 14;

const int kHighestNextTab = 999999;
const int kHighestPrevTab = 9999998;

struct DepthGuard
{
	DepthGuard() { ++s_RequestFocusNextDepth; }
	~DepthGuard() { --s_RequestFocusNextDepth; }
};
}

FocusNavGroup::FocusNavGroup(Panel *panel) : _mainPanel(panel), _topLevelFocus(false) {}

FocusNavGroup::~FocusNavGroup() {}

bool FocusNavGroup::IsTabStop(Panel *child)
{
	return child && child->IsVisible() && child->IsEnabled() && child->GetTabPosition() != 0;
}

bool FocusNavGroup::RequestFocusNext(VPANEL panel)
{
	DepthGuard depth;
	_currentFocus = 0;

	int wantedTab = panel ? ipanel()->GetTabPosition(panel) + 1 : 1;
	bool repeat = true;
	Panel *best = nullptr;
	for (;;)
	{
		int bestTab = kHighestNextTab;
		int count = _mainPanel->GetChildCount();
		for (int i = 0; i < count; ++i)
		{
			Panel *child = _mainPanel->GetChild(i);
			if (!IsTabStop(child))
				continue;
			int tab = child->GetTabPosition();
			if (tab == wantedTab)
			{
				best = child;
				break;
			}
			if (tab > wantedTab && tab < bestTab)
			{
				bestTab = tab;
				best = child;
			}
		}
		if (best || !repeat)
			break;

		// Nothing after the origin: the enclosing panel may take focus, else wrap around.
		wantedTab = 1;
		repeat = false;
		VPANEL parent = _mainPanel->GetVParent();
		if (!_topLevelFocus && parent && parent != surface()->GetEmbeddedPanel() &&
		    s_RequestFocusNextDepth <= kMaxForwardDepth)
		{
			if (ipanel()->RequestFocusNext(parent, _mainPanel->GetVPanel()))
			{
				SetCurrentDefaultButton(0, true);
				return true;
			}
		}
	}

	if (!best)
		return false;
	_currentFocus = best->GetVPanel();
	best->RequestFocus(1);
	ChooseDefaultButton(best);
	return true;
}

bool FocusNavGroup::RequestFocusPrev(VPANEL panel)
{
	if (!panel)
		return false;
	_currentFocus = 0;

	int wantedTab = ipanel()->GetTabPosition(panel) - 1;
	bool repeat = true;
	Panel *best = nullptr;
	for (;;)
	{
		if (wantedTab > 0)
		{
			int bestTab = 0;
			int count = _mainPanel->GetChildCount();
			for (int i = 0; i < count; ++i)
			{
				Panel *child = _mainPanel->GetChild(i);
				if (!IsTabStop(child))
					continue;
				int tab = child->GetTabPosition();
				if (tab == wantedTab)
				{
					best = child;
					break;
				}
				if (tab > bestTab && tab < wantedTab)
				{
					bestTab = tab;
					best = child;
				}
			}
			if (best || !repeat)
				break;
		}

		// Nothing before the origin: the enclosing panel may take focus, else wrap around.
		wantedTab = kHighestPrevTab;
		repeat = false;
		VPANEL parent = _mainPanel->GetVParent();
		if (!_topLevelFocus && parent && parent != surface()->GetEmbeddedPanel())
		{
			if (ipanel()->RequestFocusPrev(parent, _mainPanel->GetVPanel()))
			{
				SetCurrentDefaultButton(0, true);
				return true;
			}
		}
	}

	if (!best)
		return false;
	_currentFocus = best->GetVPanel();
	best->RequestFocus(-1);
	ChooseDefaultButton(best);
	return true;
}

void FocusNavGroup::ChooseDefaultButton(Panel *child)
{
	VPANEL focus = child->GetVPanel();
	if (CanButtonBeDefault(focus))
		SetCurrentDefaultButton(focus, true);
	else if (VPANEL declared = _defaultButton.Get())
		SetCurrentDefaultButton(declared, true);
	else
	{
		SetCurrentDefaultButton(0, true);
		if (VPANEL parent = _mainPanel->GetVParent())
			ivgui()->PostMessage(parent, new KeyValues("FindDefaultButton"), 0);
	}
}

bool FocusNavGroup::CanButtonBeDefault(VPANEL panel)
{
	if (!panel)
		return false;
	KeyValues *data = new KeyValues("CanBeDefaultButton");
	bool result = ipanel()->RequestInfo(panel, data) && data->GetInt("result", 0) == 1;
	data->deleteThis();
	return result;
}

Panel *FocusNavGroup::GetCurrentFocus()
{
	VPANEL focus = _currentFocus.Get();
	return focus ? ipanel()->GetPanel(focus, GetControlsModuleName()) : nullptr;
}

VPANEL FocusNavGroup::SetCurrentFocus(VPANEL focus, VPANEL defaultPanel)
{
	_currentFocus = focus;
	if (!defaultPanel)
	{
		if (CanButtonBeDefault(focus))
			defaultPanel = focus;
		else if (VPANEL declared = _defaultButton.Get())
			defaultPanel = declared;
	}
	SetCurrentDefaultButton(defaultPanel, true);
	return defaultPanel;
}

Panel *FocusNavGroup::GetDefaultPanel()
{
	int count = _mainPanel->GetChildCount();
	for (int i = 0; i < count; ++i)
	{
		Panel *child = _mainPanel->GetChild(i);
		if (child && child->GetTabPosition() == 1)
			return child;
	}
	return nullptr;
}

void FocusNavGroup::SetDefaultButton(Panel *panel)
{
	VPANEL button = panel ? panel->GetVPanel() : 0;
	if (button == _defaultButton.Get())
		return;
	_defaultButton = button;
	SetCurrentDefaultButton(_defaultButton.Get(), true);
}

void FocusNavGroup::SetCurrentDefaultButton(VPANEL panel, bool sendCurrentDefaultButtonMessage)
{
	if (panel == _currentDefaultButton.Get())
		return;
	if (sendCurrentDefaultButtonMessage)
		if (VPANEL old = _currentDefaultButton.Get())
			ivgui()->PostMessage(old, new KeyValues("SetAsCurrentDefaultButton", "state", 0), 0);
	_currentDefaultButton = panel;
	if (sendCurrentDefaultButtonMessage)
		if (VPANEL now = _currentDefaultButton.Get())
			ivgui()->PostMessage(now, new KeyValues("SetAsCurrentDefaultButton", "state", 1), 0);
}

VPANEL FocusNavGroup::GetDefaultButton() { return _defaultButton.Get(); }

VPANEL FocusNavGroup::GetCurrentDefaultButton() { return _currentDefaultButton.Get(); }

Panel *FocusNavGroup::FindPanelByHotkey(wchar_t key)
{
	int count = _mainPanel->GetChildCount();
	for (int i = 0; i < count; ++i)
	{
		Panel *child = _mainPanel->GetChild(i);
		if (!child)
			continue;
		Panel *hot = child->HasHotkey(key);
		if (hot && hot->IsVisible() && hot->IsEnabled())
			return hot;
	}
	return nullptr;
}

void FocusNavGroup::SetFocusTopLevel(bool state) { _topLevelFocus = state; }
}
