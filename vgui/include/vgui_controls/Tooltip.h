// Tooltips: vgui::BaseTooltip keeps a panel's tip text, delay and flags and places a window
// next to the cursor; vgui::TextTooltip shows the text in the one window all text tooltips
// share (a read-only multi-line text window named "tooltip").
#pragma once

#include "tier1/utlvector.h"
#include "vgui/VGUI.h"

namespace vgui
{
class IScheme;
class Panel;

class BaseTooltip
{
public:
	BaseTooltip(Panel *parent, const char *text = nullptr);

	virtual void SetText(const char *text);
	virtual const char *GetText();
	virtual void ShowTooltip(Panel *currentPanel);
	virtual void HideTooltip();
	virtual void PerformLayout();
	virtual void PositionWindow(Panel *tipPanel);
	virtual void ApplySchemeSettings(IScheme *pScheme);
	// Panels delete their tooltip through this base.
	virtual ~BaseTooltip();

	void ResetDelay();
	void SetTooltipDelay(int tooltipDelayMilliseconds);
	void SetTooltipFormatToSingleLine();
	void SetEnabled(bool state);

protected:
	enum : unsigned char
	{
		SHOWING = 0x01,
		SINGLE_LINE = 0x02,
		DIRTY = 0x04,
		ENABLED = 0x08,
	};
	bool Flag(unsigned char bit) const { return (m_Flags & bit) != 0; }
	void SetFlag(unsigned char bit, bool state) { m_Flags = state ? (m_Flags | bit) : (m_Flags & ~bit); }

	CUtlVector<char> m_TipText;
	int m_nShowTime;
	int m_nDelay;
	unsigned char m_Flags;
};

class TextTooltip : public BaseTooltip
{
public:
	TextTooltip(Panel *parent, const char *text = nullptr);

	void SetText(const char *text) override;
	void ShowTooltip(Panel *currentPanel) override;
	void HideTooltip() override;
	void PerformLayout() override;
	void ApplySchemeSettings(IScheme *pScheme) override;
	virtual void SizeTextWindow();
};
}
