// vgui::Divider: a separator line, a panel showing only a sunken border.
#pragma once

#include "vgui_controls/Panel.h"

namespace vgui
{
class Divider : public Panel
{
	DECLARE_CLASS_SIMPLE(Divider, Panel);

public:
	Divider(Panel *parent, const char *name);
	~Divider() override;

	void ApplySchemeSettings(IScheme *pScheme) override;
};
}
