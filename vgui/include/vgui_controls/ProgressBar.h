// vgui::ProgressBar (a fraction shown as a row of segments) and vgui::ContinuousProgressBar (one
// solid bar); the fraction comes from code, the "SetProgress" message, the layout or a dialog
// variable holding a percentage.
#pragma once

#include "vgui_controls/MessageMap.h"
#include "vgui_controls/Panel.h"

namespace vgui
{
class ProgressBar : public Panel
{
	DECLARE_CLASS_SIMPLE(ProgressBar, Panel);

public:
	ProgressBar(Panel *parent, const char *panelName);
	~ProgressBar() override;

	// Clamped to 0..1; repaints when the value changes.
	VGUI_MESSAGE_REGISTER(SetProgress, "SetProgress", 1, vgui::DATATYPE_FLOAT, "progress", 0, nullptr)
	virtual void SetProgress(float progress);
	virtual void SetSegmentInfo(int gap, int width);
	// A "DialogVariables" message: the named variable, when set, is a percentage.
	MESSAGE_FUNC_PARAMS(OnDialogVariablesChanged, "DialogVariables", variables);

	float GetProgress() const { return m_flProgress; }

	void ApplySchemeSettings(IScheme *pScheme) override;
	void ApplySettings(KeyValues *inResourceData) override;
	void GetSettings(KeyValues *outResourceData) override;
	const char *GetDescription() override;
	void PaintBackground() override;
	void Paint() override;

protected:
	float m_flProgress;
	int m_iSegmentGap;
	int m_iSegmentWidth;
	char *m_pszDialogVariable;
};

class ContinuousProgressBar : public ProgressBar
{
	DECLARE_CLASS_SIMPLE(ContinuousProgressBar, ProgressBar);

public:
	ContinuousProgressBar(Panel *parent, const char *panelName);

	void Paint() override;
};
}
