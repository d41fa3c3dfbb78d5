// vgui::FocusNavGroup: the tab order and default button of one panel's children. Moves key
// focus between the main panel's direct children by tab position, hands the request to the
// enclosing panel when its children run out (or wraps when it is the top of the focus
// hierarchy), and gives the default-button role to the right button.
#pragma once

#include "vgui/VGUI.h"
#include "vgui_controls/PHandle.h"

namespace vgui
{
class Panel;

class FocusNavGroup
{
public:
	explicit FocusNavGroup(Panel *panel);
	~FocusNavGroup();

	// The child that takes focus first: the first with tab position 1, else null.
	virtual Panel *GetDefaultPanel();
	// Declares the default button (null clears it).
	virtual void SetDefaultButton(Panel *panel);
	virtual VPANEL GetDefaultButton();
	virtual VPANEL GetCurrentDefaultButton();
	// The first child (or panel inside it) answering the hotkey that is visible and enabled.
	virtual Panel *FindPanelByHotkey(wchar_t key);
	// Moves focus to the child before / after the origin in tab order; false when none took it.
	virtual bool RequestFocusPrev(VPANEL panel = 0);
	virtual bool RequestFocusNext(VPANEL panel = 0);
	virtual Panel *GetCurrentFocus();
	// Records the focus and chooses the current default button, which it returns.
	virtual VPANEL SetCurrentFocus(VPANEL focus, VPANEL defaultPanel);
	virtual void SetFocusTopLevel(bool state);
	// Hands the current-default role to the panel, telling the old and new holder when asked.
	virtual void SetCurrentDefaultButton(VPANEL panel, bool sendCurrentDefaultButtonMessage = true);

	// Whether the panel answers "CanBeDefaultButton" with a result of 1.
	bool CanButtonBeDefault(VPANEL panel);

private:
	// Whether the child takes part in tab navigation.
	static bool IsTabStop(Panel *child);
	// After focus moved to the child: it, the declared default button, or none.
	void ChooseDefaultButton(Panel *child);

	VPanelHandle _defaultButton;
	VPanelHandle _currentDefaultButton;
	VPanelHandle _currentFocus;
	Panel *_mainPanel;
	bool _topLevelFocus;
};
}
