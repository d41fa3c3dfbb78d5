// vgui::ExpandButton: a toggle button without text that paints one Marlett arrow (collapsed or
// expanded) and reports each change of its state with "Expanded".
#pragma once

#include "vgui_controls/ToggleButton.h"

namespace vgui
{
class ExpandButton : public ToggleButton
{
	DECLARE_CLASS_SIMPLE(ExpandButton, ToggleButton);

public:
	ExpandButton(Panel *parent, const char *panelName);
	~ExpandButton() override;

	// Its own operation.
	MESSAGE_FUNC_PTR(OnExpanded, "Expanded", panel) {}

	void ApplySchemeSettings(IScheme *pScheme) override;
	void Paint() override;
	void SetSelected(bool state) override;
	IBorder *GetBorder(bool depressed, bool armed, bool selected, bool keyfocus) override;
	using Panel::GetBorder;

private:
	HFont m_hFont;
	Color m_Color;
};
}
