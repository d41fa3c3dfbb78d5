// vgui::Slider: value and range, the nob position along the track, clicks, drags and keys,
// ticks, captions and the nob painted in the scheme's colours.
#include "vgui_controls/Slider.h"

#include <algorithm>
#include <cstdio>

#include "tier1/KeyValues.h"
#include "vgui/IBorder.h"
#include "vgui/IInput.h"
#include "vgui/IScheme.h"
#include "vgui/ISurface.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/Controls.h"
#include "vgui_controls/TextImage.h"

namespace vgui
{
DECLARE_BUILD_FACTORY(Slider);

Slider::Slider(Panel *parent, const char *panelName) : Panel(parent, panelName)
{
	_dragging = false;
	_nobPos[0] = _nobPos[1] = 0;
	_nobDragStartPos[0] = _nobDragStartPos[1] = 0;
	_dragStartPos[0] = _dragStartPos[1] = 0;
	_range[0] = _range[1] = 0;
	_subrange[0] = _subrange[1] = 0;
	_value = 0;
	_buttonOffset = 0;
	_sliderBorder = nullptr;
	_insetBorder = nullptr;
	_nobSize = 8.0f;
	_leftCaption = nullptr;
	_rightCaption = nullptr;
	m_TickColor = m_TrackColor = m_DisabledTextColor1 = m_DisabledTextColor2 = Color(0, 0, 0, 0);
	m_nNumTicks = 10;
	m_bIsDragOnRepositionNob = false;
	m_bUseSubRange = false;
	m_bInverted = false;

	SetThumbWidth(8);
	RecomputeNobPosFromValue();
	AddActionSignalTarget(this);
	SetBlockDragChaining(true);
}

Slider::~Slider()
{
	delete _leftCaption;
	delete _rightCaption;
}

void Slider::SetSliderThumbSubRange(bool bEnable, int nMin, int nMax)
{
	m_bUseSubRange = bEnable;
	_subrange[0] = nMin;
	_subrange[1] = nMax;
}

void Slider::OnSizeChanged(int wide, int tall)
{
	BaseClass::OnSizeChanged(wide, tall);
	RecomputeNobPosFromValue();
}

void Slider::SetValue(int value, bool bTriggerChangeMessage)
{
	int oldValue = _value;
	int lo = std::min(_range[0], _range[1]);
	int hi = std::max(_range[0], _range[1]);
	_value = std::max(lo, std::min(value, hi));
	RecomputeNobPosFromValue();
	if (_value != oldValue && bTriggerChangeMessage)
		SendSliderMovedMessage();
}

int Slider::GetValue() { return _value; }

void Slider::PerformLayout()
{
	BaseClass::PerformLayout();
	RecomputeNobPosFromValue();
	if (_leftCaption)
		_leftCaption->ResizeImageToContent();
	if (_rightCaption)
		_rightCaption->ResizeImageToContent();
}

void Slider::GetDrawRange(int &lo, int &hi)
{
	lo = m_bUseSubRange ? _subrange[0] : _range[0];
	hi = m_bUseSubRange ? _subrange[1] : _range[1];
}

void Slider::RecomputeNobPosFromValue()
{
	int x, y, wide, tall;
	GetTrackRect(x, y, wide, tall);
	int lo, hi;
	GetDrawRange(lo, hi);
	float value = static_cast<float>(_value);
	if (m_bUseSubRange)
		value = static_cast<float>(std::max(std::min(lo, hi), std::min(_value, std::max(lo, hi))));
	float fraction = hi != lo ? (value - static_cast<float>(lo)) / static_cast<float>(hi - lo) : 0.0f;
	if (m_bInverted)
		fraction = 1.0f - fraction;
	float first = static_cast<float>(x) + (static_cast<float>(wide) - _nobSize) * fraction + 0.5f;
	_nobPos[0] = static_cast<int>(first);
	_nobPos[1] = static_cast<int>(first + _nobSize);
	if (_nobPos[1] > x + wide)
	{
		_nobPos[0] = x + wide - static_cast<int>(_nobSize);
		_nobPos[1] = x + wide;
	}
	Repaint();
}

void Slider::RecomputeValueFromNobPos() { SetValue(EstimateValueAtPos(_nobPos[0], 0), true); }

int Slider::EstimateValueAtPos(int localMouseX, int localMouseY)
{
	(void)localMouseY;
	int x, y, wide, tall;
	GetTrackRect(x, y, wide, tall);
	int lo, hi;
	GetDrawRange(lo, hi);
	float freeSpace = static_cast<float>(wide) - _nobSize;
	float fraction = freeSpace != 0.0f ? static_cast<float>(localMouseX - x) / freeSpace : 0.0f;
	// An inverted slider draws the minimum at the right, so positions map back mirrored.
	if (m_bInverted)
		fraction = 1.0f - fraction;
	return static_cast<int>(static_cast<float>(lo) + static_cast<float>(hi - lo) * fraction);
}

void Slider::SetInverted(bool bInverted) { m_bInverted = bInverted; }

void Slider::SendSliderMovedMessage()
{
	PostActionSignal(new KeyValues("SliderMoved", "position", _value));
}

void Slider::SendSliderDragStartMessage()
{
	PostActionSignal(new KeyValues("SliderDragStart", "position", _value));
}

void Slider::SendSliderDragEndMessage()
{
	PostActionSignal(new KeyValues("SliderDragEnd", "position", _value));
}

void Slider::ApplySchemeSettings(IScheme *pScheme)
{
	BaseClass::ApplySchemeSettings(pScheme);
	SetFgColor(GetSchemeColor("Slider.NobColor", pScheme));
	Color fg = GetFgColor();
	m_TickColor = GetSchemeColor("Slider.TextColor", fg, pScheme);
	m_TrackColor = GetSchemeColor("Slider.TrackColor", fg, pScheme);
	m_DisabledTextColor1 = GetSchemeColor("Slider.DisabledTextColor1", fg, pScheme);
	m_DisabledTextColor2 = GetSchemeColor("Slider.DisabledTextColor2", fg, pScheme);
	if (!pScheme)
		return;
	_sliderBorder = pScheme->GetBorder("ButtonBorder");
	_insetBorder = pScheme->GetBorder("ButtonDepressedBorder");
	if (_leftCaption)
		_leftCaption->SetFont(pScheme->GetFont("DefaultVerySmall", IsProportional()));
	if (_rightCaption)
		_rightCaption->SetFont(pScheme->GetFont("DefaultVerySmall", IsProportional()));
}

void Slider::GetSettings(KeyValues *outResourceData)
{
	BaseClass::GetSettings(outResourceData);
	char buf[256];
	if (_leftCaption)
	{
		_leftCaption->GetUnlocalizedText(buf, sizeof(buf));
		outResourceData->SetString("leftText", buf);
	}
	if (_rightCaption)
	{
		_rightCaption->GetUnlocalizedText(buf, sizeof(buf));
		outResourceData->SetString("rightText", buf);
	}
}

void Slider::ApplySettings(KeyValues *inResourceData)
{
	BaseClass::ApplySettings(inResourceData);
	const char *left = inResourceData->GetString("leftText", nullptr);
	const char *right = inResourceData->GetString("rightText", nullptr);
	int thumbWidth = inResourceData->GetInt("thumbwidth", 0);
	if (thumbWidth != 0)
		SetThumbWidth(thumbWidth);
	SetTickCaptions(left, right);
	int numTicks = inResourceData->GetInt("numTicks", -1);
	if (numTicks >= 0)
		SetNumTicks(numTicks);

	KeyValues *rangeMin = inResourceData->FindKey("rangeMin");
	KeyValues *rangeMax = inResourceData->FindKey("rangeMax");
	if (rangeMin)
		_range[0] = rangeMin->GetInt();
	if (rangeMax)
		_range[1] = rangeMax->GetInt();
	if (rangeMin || rangeMax)
		ClampRange();
}

const char *Slider::GetDescription()
{
	static char buf[1024];
	snprintf(buf, sizeof(buf), "%s, string leftText, string rightText", BaseClass::GetDescription());
	return buf;
}

void Slider::GetTrackRect(int &x, int &y, int &w, int &h)
{
	int wide, tall;
	GetPaintSize(wide, tall);
	x = 0;
	y = 8;
	w = wide - static_cast<int>(_nobSize);
	h = 4;
}

void Slider::Paint()
{
	DrawTicks();
	DrawTickLabels();
	DrawNob();
}

void Slider::DrawTicks()
{
	// Without intervals there is no spacing to place ticks by.
	if (m_nNumTicks <= 0)
		return;
	int x, y, wide, tall;
	GetTrackRect(x, y, wide, tall);
	int tickY = y + static_cast<int>(_nobSize);
	float spacing = (static_cast<float>(wide) - _nobSize) / static_cast<float>(m_nNumTicks);
	auto tickX = [&](int i) { return static_cast<int>(static_cast<float>(i) * spacing + _nobSize / 2.0f); };
	if (IsEnabled())
	{
		surface()->DrawSetColor(m_TickColor);
		for (int i = 0; i <= m_nNumTicks; ++i)
		{
			int xpos = tickX(i);
			surface()->DrawFilledRect(xpos, tickY, xpos + 1, tickY + 5);
		}
	}
	else
	{
		surface()->DrawSetColor(m_DisabledTextColor1);
		for (int i = 0; i <= m_nNumTicks; ++i)
		{
			int xpos = tickX(i);
			surface()->DrawFilledRect(xpos + 1, tickY + 1, xpos + 2, tickY + 6);
		}
		surface()->DrawSetColor(m_DisabledTextColor2);
		for (int i = 0; i <= m_nNumTicks; ++i)
		{
			int xpos = tickX(i);
			surface()->DrawFilledRect(xpos, tickY, xpos + 1, tickY + 5);
		}
	}
}

void Slider::DrawTickLabels()
{
	int x, y, wide, tall;
	GetTrackRect(x, y, wide, tall);
	int labelY = y + 12;
	Color color = IsEnabled() ? m_TickColor : m_DisabledTextColor1;
	if (_leftCaption)
	{
		_leftCaption->SetPos(0, labelY);
		_leftCaption->SetColor(color);
		_leftCaption->Paint();
	}
	if (_rightCaption)
	{
		int rwide, rtall;
		_rightCaption->GetSize(rwide, rtall);
		_rightCaption->SetPos(wide - rwide, labelY);
		_rightCaption->SetColor(color);
		_rightCaption->Paint();
	}
}

void Slider::DrawNob()
{
	int x, y, wide, tall;
	GetTrackRect(x, y, wide, tall);
	surface()->DrawSetColor(GetFgColor());
	int nobHeight = 16;
	int y0 = y + tall / 2 - nobHeight / 2;
	int y1 = y + tall / 2 + nobHeight / 2;
	surface()->DrawFilledRect(_nobPos[0], y0, _nobPos[1], y1);
	if (_sliderBorder)
		_sliderBorder->Paint(_nobPos[0], y0, _nobPos[1], y1);
}

void Slider::SetTickCaptions(const wchar_t *left, const wchar_t *right)
{
	if (left)
	{
		if (_leftCaption)
			_leftCaption->SetText(left);
		else
			_leftCaption = new TextImage(left);
	}
	if (right)
	{
		if (_rightCaption)
			_rightCaption->SetText(right);
		else
			_rightCaption = new TextImage(right);
	}
	InvalidateLayout();
}

void Slider::SetTickCaptions(const char *left, const char *right)
{
	if (left)
	{
		if (_leftCaption)
			_leftCaption->SetText(left);
		else
			_leftCaption = new TextImage(left);
	}
	if (right)
	{
		if (_rightCaption)
			_rightCaption->SetText(right);
		else
			_rightCaption = new TextImage(right);
	}
	InvalidateLayout();
}

void Slider::PaintBackground()
{
	BaseClass::PaintBackground();
	int x, y, wide, tall;
	GetTrackRect(x, y, wide, tall);
	surface()->DrawSetColor(m_TrackColor);
	surface()->DrawFilledRect(x, y, x + wide, y + tall);
	if (_insetBorder)
		_insetBorder->Paint(x, y, x + wide, y + tall);
}

void Slider::SetRange(int min, int max)
{
	_range[0] = min;
	_range[1] = max;
	ClampRange();
}

void Slider::ClampRange()
{
	int lo = std::min(_range[0], _range[1]);
	int hi = std::max(_range[0], _range[1]);
	if (_value < lo)
		SetValue(lo, false);
	else if (_value > hi)
		SetValue(hi, false);
}

void Slider::GetRange(int &min, int &max)
{
	min = _range[0];
	max = _range[1];
}

void Slider::StartDragging(int x, int y)
{
	_dragging = true;
	input()->SetMouseCapture(GetVPanel());
	_nobDragStartPos[0] = _nobPos[0];
	_nobDragStartPos[1] = _nobPos[1];
	_dragStartPos[0] = x;
	_dragStartPos[1] = y;
}

void Slider::OnCursorMoved(int x, int y)
{
	if (!_dragging)
		return;
	input()->GetCursorPos(x, y);
	ScreenToLocal(x, y);

	int tx, ty, wide, tall;
	GetTrackRect(tx, ty, wide, tall);
	_nobPos[0] = _nobDragStartPos[0] + (x - _dragStartPos[0]);
	_nobPos[1] = _nobDragStartPos[1] + (x - _dragStartPos[0]);
	int unclamped = _nobPos[0];
	if (_nobPos[1] > tx + wide)
	{
		int nobWidth = _nobPos[1] - _nobPos[0];
		_nobPos[0] = tx + wide - nobWidth;
		_nobPos[1] = tx + wide;
	}
	if (_nobPos[0] < tx)
	{
		_nobPos[1] = _nobPos[1] - (tx - _nobPos[0]);
		_nobPos[0] = tx;
	}
	SetValue(EstimateValueAtPos(unclamped, 0), true);
	Repaint();
	SendSliderMovedMessage();
}

void Slider::OnMousePressed(ButtonCode_t code)
{
	(void)code;
	if (!IsEnabled())
		return;
	int x, y;
	input()->GetCursorPos(x, y);
	ScreenToLocal(x, y);
	RequestFocus();

	if (x >= _nobPos[0] && x < _nobPos[1])
	{
		StartDragging(x, y);
		SendSliderDragStartMessage();
		return;
	}

	int lo, hi;
	GetDrawRange(lo, hi);
	int tx, ty, wide, tall;
	GetTrackRect(tx, ty, wide, tall);
	if (wide < 1)
		return;
	// A one-pixel track has no span to divide by: a click there means the start.
	float click = wide > 1 ? static_cast<float>(x - tx) / static_cast<float>(wide - 1) : 0.0f;
	click = std::max(0.0f, std::min(click, 1.0f));
	if (m_bInverted)
		click = 1.0f - click;
	float target = static_cast<float>(lo) + click * static_cast<float>(hi - lo);
	if (m_bIsDragOnRepositionNob)
	{
		_dragging = true;
		SendSliderDragStartMessage();
		SetValue(static_cast<int>(target + 0.5f), true);
		StartDragging(x, y);
	}
	else
	{
		SetValue(static_cast<int>(target + 0.5f), true);
	}
}

void Slider::OnMouseDoublePressed(ButtonCode_t code) { OnMousePressed(code); }

void Slider::OnKeyCodeTyped(ButtonCode_t code)
{
	int step = 0;
	if (m_nNumTicks > 0)
		step = static_cast<int>(static_cast<float>(_range[1] - _range[0]) / static_cast<float>(m_nNumTicks));
	switch (code)
	{
	case KEY_HOME:
		SetValue(_range[0], true);
		break;
	case KEY_END:
		SetValue(_range[1], true);
		break;
	case KEY_PAGEUP:
		SetValue(_value + step, true);
		break;
	case KEY_PAGEDOWN:
		SetValue(_value - step, true);
		break;
	case KEY_UP:
	case KEY_RIGHT:
		SetValue(_value + 1, true);
		break;
	case KEY_LEFT:
	case KEY_DOWN:
		SetValue(_value - 1, true);
		break;
	default:
		BaseClass::OnKeyCodeTyped(code);
		break;
	}
}

void Slider::OnMouseReleased(ButtonCode_t code)
{
	(void)code;
	if (!_dragging)
		return;
	_dragging = false;
	input()->SetMouseCapture(0);
	SendSliderDragEndMessage();
}

void Slider::GetNobPos(int &min, int &max)
{
	min = _nobPos[0];
	max = _nobPos[1];
}

void Slider::SetButtonOffset(int buttonOffset) { _buttonOffset = buttonOffset; }

void Slider::SetThumbWidth(int width) { _nobSize = static_cast<float>(width); }

void Slider::SetNumTicks(int ticks) { m_nNumTicks = ticks; }

void Slider::SetDragOnRepositionNob(bool state) { m_bIsDragOnRepositionNob = state; }

bool Slider::IsDragOnRepositionNob() const { return m_bIsDragOnRepositionNob; }

bool Slider::IsDragged() const { return _dragging; }
}
