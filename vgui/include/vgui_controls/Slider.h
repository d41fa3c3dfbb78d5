// vgui::Slider: a horizontal value slider with tick marks, optional end captions and a nob that
// is dragged, placed by a click on the track or moved with keys. Reports "SliderMoved",
// "SliderDragStart" and "SliderDragEnd".
#pragma once

#include "tier1/Color.h"
#include "vgui_controls/Panel.h"

namespace vgui
{
class IBorder;
class TextImage;

class Slider : public Panel
{
	DECLARE_CLASS_SIMPLE(Slider, Panel);

public:
	Slider(Panel *parent, const char *panelName);
	~Slider() override;

	void OnSizeChanged(int wide, int tall) override;
	void ApplySchemeSettings(IScheme *pScheme) override;
	void ApplySettings(KeyValues *inResourceData) override;
	void GetSettings(KeyValues *outResourceData) override;
	const char *GetDescription() override;
	void OnCursorMoved(int x, int y) override;
	void OnMousePressed(ButtonCode_t code) override;
	void OnMouseDoublePressed(ButtonCode_t code) override;
	void OnMouseReleased(ButtonCode_t code) override;
	void OnKeyCodeTyped(ButtonCode_t code) override;
	void PaintBackground() override;
	void Paint() override;
	void PerformLayout() override;

	// Its own operations, in slot order.
	virtual void SetValue(int value, bool bTriggerChangeMessage = true);
	virtual int GetValue();
	virtual void SetRange(int min, int max);
	virtual void GetRange(int &min, int &max);
	virtual void GetNobPos(int &min, int &max);
	virtual void SetButtonOffset(int buttonOffset);
	virtual void SetTickCaptions(const wchar_t *left, const wchar_t *right);
	virtual void SetTickCaptions(const char *left, const char *right);
	virtual void SetNumTicks(int ticks);
	virtual void SetThumbWidth(int width);
	virtual int EstimateValueAtPos(int localMouseX, int localMouseY);
	virtual void SetInverted(bool bInverted);
	virtual void SetDragOnRepositionNob(bool state);
	virtual bool IsDragOnRepositionNob() const;
	virtual bool IsDragged() const;
	virtual void SetSliderThumbSubRange(bool bEnable, int nMin = 0, int nMax = 100);
	virtual void DrawNob();
	virtual void DrawTicks();
	virtual void DrawTickLabels();
	virtual void GetTrackRect(int &x, int &y, int &w, int &h);
	virtual void RecomputeNobPosFromValue();
	virtual void RecomputeValueFromNobPos();
	virtual void SendSliderMovedMessage();
	virtual void SendSliderDragStartMessage();
	virtual void SendSliderDragEndMessage();

	void ClampRange();

private:
	// The range the nob is drawn and estimated over: the sub-range while it is on.
	void GetDrawRange(int &lo, int &hi);
	void StartDragging(int x, int y);

	bool _dragging;
	int _nobPos[2];
	int _nobDragStartPos[2];
	int _dragStartPos[2];
	int _range[2];
	int _subrange[2];
	int _value;
	int _buttonOffset;
	IBorder *_sliderBorder;
	IBorder *_insetBorder;
	float _nobSize;
	TextImage *_leftCaption;
	TextImage *_rightCaption;
	Color m_TickColor;
	Color m_TrackColor;
	Color m_DisabledTextColor1;
	Color m_DisabledTextColor2;
	int m_nNumTicks;
	bool m_bIsDragOnRepositionNob : 1;
	bool m_bUseSubRange : 1;
	bool m_bInverted : 1;
};
}
