// vgui::ToggleButton: fires on press, flips its selection with each click and posts its
// command and "ButtonToggled"; Enter is swallowed, Space presses it.
#include "vgui_controls/ToggleButton.h"

#include "tier1/KeyValues.h"
#include "vgui/IScheme.h"
#include "vgui_controls/BuildFactoryHelper.h"

namespace vgui
{
namespace
{
Panel *Create_ToggleButton() { return new ToggleButton(nullptr, nullptr, "ToggleButton"); }
CBuildFactoryHelper g_ToggleButton_Helper("ToggleButton", Create_ToggleButton);
}

ToggleButton::ToggleButton(Panel *parent, const char *panelName, const char *text)
    : Button(parent, panelName, text), _selectedColor(0, 0, 0, 0)
{
	SetButtonActivationType(ACTIVATE_ONPRESSED);
}

ToggleButton::~ToggleButton() = default;

void ToggleButton::ApplySchemeSettings(IScheme *pScheme)
{
	BaseClass::ApplySchemeSettings(pScheme);
	if (pScheme)
		_selectedColor = GetSchemeColor("ToggleButton.SelectedTextColor", pScheme);
}

Color ToggleButton::GetButtonFgColor()
{
	if (IsSelected())
		return _selectedColor;
	return BaseClass::GetButtonFgColor();
}

bool ToggleButton::CanBeDefaultButton() { return false; }

// A double click is a second press: it toggles again.
void ToggleButton::OnMouseDoublePressed(ButtonCode_t code) { OnMousePressed(code); }

void ToggleButton::OnKeyCodePressed(ButtonCode_t code)
{
	if (code == KEY_ENTER)
		return;
	BaseClass::OnKeyCodePressed(code);
}

void ToggleButton::DoClick()
{
	ForceDepressed(!IsSelected());
	SetSelected(!IsSelected());
	FireActionSignal();
	PostActionSignal(new KeyValues("ButtonToggled", "state", IsSelected() ? 1 : 0));
	Repaint();
}
}
