// vgui::GraphPanel: the panel reserved for a graph of timed samples; nothing adds samples, so it
// shows its background and border only.
#pragma once

#include "tier1/utllinkedlist.h"
#include "vgui_controls/MessageMap.h"
#include "vgui_controls/Panel.h"

namespace vgui
{
class GraphPanel : public Panel
{
	DECLARE_CLASS_SIMPLE(GraphPanel, Panel);

public:
	GraphPanel(Panel *parent, const char *name);

	struct Sample_t
	{
		float sampleEnd;
		float value;
	};

	int GetSampleCount() const { return m_Samples.Count(); }

	void ApplySchemeSettings(IScheme *pScheme) override;
	void PerformLayout() override;
	void Paint() override;

private:
	CUtlLinkedList<Sample_t, int> m_Samples;
};
}
