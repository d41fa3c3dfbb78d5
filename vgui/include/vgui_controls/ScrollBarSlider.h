// vgui::ScrollBarSlider: the track and draggable nob of a scroll bar. Holds the value, range and
// range window, and reports every value change as "ScrollBarSliderMoved".
#pragma once

#include "vgui_controls/Panel.h"

namespace vgui
{
class IBorder;

class ScrollBarSlider : public Panel
{
	DECLARE_CLASS_SIMPLE(ScrollBarSlider, Panel);

public:
	ScrollBarSlider(Panel *parent, const char *panelName, bool vertical);
	~ScrollBarSlider() override;

	void ApplySchemeSettings(IScheme *pScheme) override;
	void ApplySettings(KeyValues *inResourceData) override;
	void OnCursorMoved(int x, int y) override;
	void OnMousePressed(ButtonCode_t code) override;
	void OnMouseDoublePressed(ButtonCode_t code) override;
	void OnMouseReleased(ButtonCode_t code) override;
	void PaintBackground() override;
	void Paint() override;
	void PerformLayout() override;

	// Its own operations, in slot order.
	virtual void SetValue(int value);
	virtual int GetValue();
	virtual bool IsVertical();
	virtual void SetRange(int min, int max);
	virtual void GetRange(int &min, int &max);
	virtual void SetRangeWindow(int rangeWindow);
	virtual int GetRangeWindow();
	virtual void SetSize(int wide, int tall);
	virtual void GetNobPos(int &min, int &max);
	virtual bool HasFullRange();
	virtual void SetButtonOffset(int buttonOffset);
	virtual bool IsSliderVisible();
	virtual void RecomputeNobPosFromValue();
	virtual void RecomputeValueFromNobPos();
	virtual void SendScrollBarSliderMovedMessage();

	bool IsDragging() const { return _dragging; }

private:
	// Track length along the slider and thickness across it, both one less than the paint size.
	void GetLengthAndThickness(float &length, float &thickness);

	bool _vertical;
	bool _dragging;
	int _nobPos[2];
	int _nobDragStartPos[2];
	int _dragStartPos[2];
	int _range[2];
	int _value;
	int _rangeWindow;
	int _buttonOffset;
	IBorder *_ScrollBarSliderBorder;
};
}
