// vgui::ScrollBarSlider: value clamping, the mapping between value and nob position, paging by
// clicks on the track, dragging the nob, and painting track and nob.
#include "vgui_controls/ScrollBarSlider.h"

#include <algorithm>
#include <cmath>

#include "tier1/KeyValues.h"
#include "vgui/IBorder.h"
#include "vgui/IInput.h"
#include "vgui/IScheme.h"
#include "vgui/ISurface.h"
#include "vgui_controls/Controls.h"

namespace vgui
{
ScrollBarSlider::ScrollBarSlider(Panel *parent, const char *panelName, bool vertical) : Panel(parent, panelName)
{
	_vertical = vertical;
	_dragging = false;
	_nobPos[0] = _nobPos[1] = 0;
	_nobDragStartPos[0] = _nobDragStartPos[1] = 0;
	_dragStartPos[0] = _dragStartPos[1] = 0;
	_range[0] = _range[1] = 0;
	_value = 0;
	_rangeWindow = 0;
	_buttonOffset = 0;
	_ScrollBarSliderBorder = nullptr;
	RecomputeNobPosFromValue();
	SetBlockDragChaining(true);
}

ScrollBarSlider::~ScrollBarSlider() = default;

void ScrollBarSlider::SetSize(int wide, int tall)
{
	Panel::SetSize(wide, tall);
	RecomputeNobPosFromValue();
}

bool ScrollBarSlider::IsVertical() { return _vertical; }

void ScrollBarSlider::SetValue(int value)
{
	int oldValue = _value;
	value = std::min(value, _range[1] - _rangeWindow);
	value = std::max(value, _range[0]);
	_value = value;
	RecomputeNobPosFromValue();
	if (_value != oldValue)
		SendScrollBarSliderMovedMessage();
}

int ScrollBarSlider::GetValue() { return _value; }

void ScrollBarSlider::PerformLayout()
{
	RecomputeNobPosFromValue();
	BaseClass::PerformLayout();
}

void ScrollBarSlider::GetLengthAndThickness(float &length, float &thickness)
{
	int wide, tall;
	GetPaintSize(wide, tall);
	length = static_cast<float>(_vertical ? tall - 1 : wide - 1);
	thickness = static_cast<float>(_vertical ? wide - 1 : tall - 1);
}

void ScrollBarSlider::RecomputeNobPosFromValue()
{
	float length, thickness;
	GetLengthAndThickness(length, thickness);
	float range = static_cast<float>(_range[1] - _range[0]);
	float window = static_cast<float>(_rangeWindow);
	float value = static_cast<float>(_value - _range[0]);
	float fraction = range != window ? value / (range - window) : 0.0f;
	if (_rangeWindow > 0)
	{
		if (range <= 0.0f)
			range = 1.0f;
		float nobSize = std::max(thickness, window / range * length);
		float freeSpace = length - nobSize;
		float first = freeSpace * fraction;
		_nobPos[0] = static_cast<int>(first);
		_nobPos[1] = static_cast<int>(first + nobSize);
		if (_nobPos[1] > length)
		{
			_nobPos[0] = static_cast<int>(length - nobSize);
			_nobPos[1] = static_cast<int>(length);
		}
	}
	Repaint();
}

void ScrollBarSlider::RecomputeValueFromNobPos()
{
	float length, thickness;
	GetLengthAndThickness(length, thickness);
	float range = static_cast<float>(_range[1] - _range[0]);
	float window = static_cast<float>(_rangeWindow);
	float offset;
	if (_rangeWindow > 0)
	{
		if (range <= 0.0f)
			range = 1.0f;
		float nobSize = std::max(thickness, window / range * length);
		float freeSpace = length - nobSize;
		offset = freeSpace != 0.0f ? (range - window) * (static_cast<float>(_nobPos[0]) / freeSpace) : 0.0f;
	}
	else
	{
		offset = static_cast<float>(_value - _range[0]);
	}

	// The end snap compares offsets from the minimum, so ranges not starting at 0 snap alike.
	if (std::fabs(window + offset - range) < 0.01f * range)
		_value = _range[1] - _rangeWindow;
	else
		_value = static_cast<int>(offset + static_cast<float>(_range[0]) + 0.5f);

	_value = std::min(_value, _range[1] - _rangeWindow);
	_value = std::max(_value, _range[0]);
}

bool ScrollBarSlider::IsSliderVisible()
{
	int itemRange = _range[1] - _range[0];
	return itemRange >= 1 && itemRange > _rangeWindow;
}

void ScrollBarSlider::ApplySchemeSettings(IScheme *pScheme)
{
	BaseClass::ApplySchemeSettings(pScheme);
	SetFgColor(GetSchemeColor("ScrollBarSlider.FgColor", pScheme));
	SetBgColor(GetSchemeColor("ScrollBarSlider.BgColor", pScheme));
	if (pScheme)
	{
		IBorder *border = pScheme->GetBorder("ScrollBarSliderBorder");
		_ScrollBarSliderBorder = border ? border : pScheme->GetBorder("ButtonBorder");
	}
}

void ScrollBarSlider::ApplySettings(KeyValues *inResourceData)
{
	BaseClass::ApplySettings(inResourceData);
	const char *borderName = inResourceData->GetString("ButtonBorder", nullptr);
	if (borderName)
	{
		IScheme *pScheme = scheme()->GetIScheme(GetScheme());
		if (pScheme)
			_ScrollBarSliderBorder = pScheme->GetBorder(borderName);
	}
}

void ScrollBarSlider::Paint()
{
	if (!IsSliderVisible())
		return;
	int wide, tall;
	GetPaintSize(wide, tall);
	Color col = GetFgColor();
	if (_vertical)
	{
		if (GetPaintBackgroundType() == 2)
		{
			DrawBox(1, _nobPos[0], wide - 2, _nobPos[1] - _nobPos[0], col, 1.0f);
		}
		else
		{
			surface()->DrawSetColor(col);
			surface()->DrawFilledRect(1, _nobPos[0], wide - 2, _nobPos[1]);
		}
		if (_ScrollBarSliderBorder)
			_ScrollBarSliderBorder->Paint(0, _nobPos[0], wide, _nobPos[1]);
	}
	else
	{
		surface()->DrawSetColor(col);
		surface()->DrawFilledRect(_nobPos[0], 1, _nobPos[1], tall - 2);
		if (_ScrollBarSliderBorder)
			_ScrollBarSliderBorder->Paint(_nobPos[0] - 1, 1, _nobPos[1], tall);
	}
}

void ScrollBarSlider::PaintBackground()
{
	int wide, tall;
	GetPaintSize(wide, tall);
	surface()->DrawSetColor(GetBgColor());
	surface()->DrawFilledRect(0, 0, wide - 1, tall - 1);
}

void ScrollBarSlider::SetRange(int min, int max)
{
	if (max < min)
		max = min;
	_range[0] = min;
	_range[1] = max;
	SetValue(_value);
	InvalidateLayout();
}

void ScrollBarSlider::GetRange(int &min, int &max)
{
	min = _range[0];
	max = _range[1];
}

void ScrollBarSlider::OnCursorMoved(int x, int y)
{
	if (!_dragging)
		return;
	int wide, tall;
	GetPaintSize(wide, tall);
	int delta = _vertical ? y - _dragStartPos[1] : x - _dragStartPos[0];
	int extent = _vertical ? tall : wide;
	_nobPos[0] = _nobDragStartPos[0] + delta;
	_nobPos[1] = _nobDragStartPos[1] + delta;
	if (_nobPos[1] > extent)
	{
		_nobPos[0] = extent - (_nobPos[1] - _nobPos[0]);
		_nobPos[1] = extent;
		if (_vertical)
			SetValue(_range[1] - _rangeWindow);
	}
	if (_nobPos[0] < 0)
	{
		_nobPos[1] = _nobPos[1] - _nobPos[0];
		_nobPos[0] = 0;
		SetValue(_range[0]);
	}
	InvalidateLayout();
	RecomputeValueFromNobPos();
	SendScrollBarSliderMovedMessage();
}

void ScrollBarSlider::OnMousePressed(ButtonCode_t code)
{
	(void)code;
	int x, y;
	input()->GetCursorPos(x, y);
	ScreenToLocal(x, y);
	int p = _vertical ? y : x;
	if (p < _nobPos[0])
	{
		SetValue(_value - _rangeWindow);
	}
	else if (p < _nobPos[1])
	{
		_dragging = true;
		input()->SetMouseCapture(GetVPanel());
		_nobDragStartPos[0] = _nobPos[0];
		_nobDragStartPos[1] = _nobPos[1];
		_dragStartPos[0] = x;
		_dragStartPos[1] = y;
	}
	else
	{
		SetValue(_value + _rangeWindow);
	}
}

void ScrollBarSlider::OnMouseDoublePressed(ButtonCode_t code) { OnMousePressed(code); }

void ScrollBarSlider::OnMouseReleased(ButtonCode_t code)
{
	(void)code;
	_dragging = false;
	input()->SetMouseCapture(0);
}

void ScrollBarSlider::GetNobPos(int &min, int &max)
{
	min = _nobPos[0];
	max = _nobPos[1];
}

void ScrollBarSlider::SetRangeWindow(int rangeWindow) { _rangeWindow = rangeWindow; }

int ScrollBarSlider::GetRangeWindow() { return _rangeWindow; }

void ScrollBarSlider::SetButtonOffset(int buttonOffset) { _buttonOffset = buttonOffset; }

bool ScrollBarSlider::HasFullRange()
{
	if (_rangeWindow <= 0)
		return false;
	int wide, tall;
	GetPaintSize(wide, tall);
	return _rangeWindow <= _buttonOffset + (_vertical ? tall : wide);
}

void ScrollBarSlider::SendScrollBarSliderMovedMessage()
{
	PostActionSignal(new KeyValues("ScrollBarSliderMoved", "position", _value));
}
}
