// vgui::GraphPanel: scheme colours and border; painting stops at once while there are no samples.
#include "vgui_controls/GraphPanel.h"

#include "vgui/IScheme.h"
#include "vgui_controls/BuildFactoryHelper.h"

using namespace vgui;

DECLARE_BUILD_FACTORY(GraphPanel);

GraphPanel::GraphPanel(Panel *parent, const char *name) : Panel(parent, name) {}

void GraphPanel::ApplySchemeSettings(IScheme *pScheme)
{
	BaseClass::ApplySchemeSettings(pScheme);
	SetFgColor(GetSchemeColor("GraphPanel.FgColor", pScheme));
	SetBgColor(GetSchemeColor("GraphPanel.BgColor", pScheme));
	SetBorder(pScheme ? pScheme->GetBorder("ButtonDepressedBorder") : nullptr);
}

void GraphPanel::PerformLayout() { BaseClass::PerformLayout(); }

void GraphPanel::Paint()
{
	if (m_Samples.Count() == 0)
		return;
}
