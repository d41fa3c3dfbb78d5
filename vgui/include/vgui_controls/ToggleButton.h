// vgui::ToggleButton: a button that flips its selected state on each click and reports it.
#pragma once

#include "vgui_controls/Button.h"

namespace vgui
{
class ToggleButton : public Button
{
	DECLARE_CLASS_SIMPLE(ToggleButton, Button);

public:
	ToggleButton(Panel *parent, const char *panelName, const char *text);
	~ToggleButton() override;

	void ApplySchemeSettings(IScheme *pScheme) override;
	void OnMouseDoublePressed(ButtonCode_t code) override;
	void OnKeyCodePressed(ButtonCode_t code) override;
	void DoClick() override;
	bool CanBeDefaultButton() override;
	Color GetButtonFgColor() override;

private:
	Color _selectedColor;
};
}
