// vgui::ScrollBar and its arrow buttons: forwarding value and range to the slider, the layout of
// slider and buttons, arrow auto-repeat on mouse-focus ticks, and passing slider moves on.
#include "vgui_controls/ScrollBar.h"

#include <cstdlib>

#include "tier1/KeyValues.h"
#include "vgui/IInput.h"
#include "vgui/IScheme.h"
#include "vgui/ISystem.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/Button.h"
#include "vgui_controls/Controls.h"
#include "vgui_controls/ScrollBarSlider.h"

namespace vgui
{
namespace
{
// An arrow button: it shows the press while held, but never fires from the mouse; the scroll
// bar reads its depressed state on every mouse-focus tick instead.
class ScrollBarButton : public Button
{
	DECLARE_CLASS_SIMPLE(ScrollBarButton, Button);

public:
	ScrollBarButton(const char *name, const char *text) : Button(nullptr, name, text)
	{
		SetButtonActivationType(ACTIVATE_ONPRESSED);
		SetContentAlignment(Label::a_center);
	}

	void ApplySchemeSettings(IScheme *pScheme) override
	{
		BaseClass::ApplySchemeSettings(pScheme);
		if (!pScheme)
			return;
		SetFont(pScheme->GetFont("Marlett", IsProportional()));
		SetDefaultBorder(pScheme->GetBorder("ScrollBarButtonBorder"));
		SetDepressedBorder(pScheme->GetBorder("ScrollBarButtonDepressedBorder"));
		SetDefaultColor(GetSchemeColor("ScrollBarButton.FgColor", pScheme),
		                GetSchemeColor("ScrollBarButton.BgColor", pScheme));
		SetArmedColor(GetSchemeColor("ScrollBarButton.ArmedFgColor", pScheme),
		              GetSchemeColor("ScrollBarButton.ArmedBgColor", pScheme));
		SetDepressedColor(GetSchemeColor("ScrollBarButton.DepressedFgColor", pScheme),
		                  GetSchemeColor("ScrollBarButton.DepressedBgColor", pScheme));
	}

	void OnMousePressed(ButtonCode_t code) override
	{
		if (!IsEnabled() || !IsMouseClickEnabled(code))
			return;
		if (IsUseCaptureMouseEnabled())
		{
			SetSelected(true);
			Repaint();
			input()->SetMouseCapture(GetVPanel());
		}
	}

	void OnMouseReleased(ButtonCode_t code) override
	{
		if (!IsEnabled() || !IsMouseClickEnabled(code))
			return;
		if (IsUseCaptureMouseEnabled())
		{
			SetSelected(false);
			Repaint();
			input()->SetMouseCapture(0);
		}
		if (input()->GetMouseOver() == GetVPanel())
			SetArmed(true);
	}

	void OnMouseFocusTicked() override { CallParentFunction(new KeyValues("MouseFocusTicked")); }
};

Panel *Create_ScrollBar_Vertical() { return new ScrollBar(nullptr, nullptr, true); }
Panel *Create_ScrollBar_Horizontal() { return new ScrollBar(nullptr, nullptr, false); }
CBuildFactoryHelper g_ScrollBar_Vertical_Helper("ScrollBar_Vertical", Create_ScrollBar_Vertical);
CBuildFactoryHelper g_ScrollBar_Horizontal_Helper("ScrollBar_Horizontal", Create_ScrollBar_Horizontal);
CBuildFactoryHelper g_ScrollBar_Helper("ScrollBar", Create_ScrollBar_Horizontal);

// Time before the first repeat of a held arrow, and between later repeats, in milliseconds.
const int kFirstRepeatDelay = 400;
const int kRepeatDelay = 50;
}

ScrollBar::ScrollBar(Panel *parent, const char *panelName, bool vertical) : Panel(parent, panelName)
{
	_slider = nullptr;
	_button[0] = _button[1] = nullptr;
	_buttonPressedScrollValue = 20;
	_scrollDelay = kFirstRepeatDelay;
	_respond = true;
	m_bNoButtons = false;
	m_bAutoHideButtons = false;

	if (vertical)
	{
		SetSlider(new ScrollBarSlider(nullptr, "Slider", true));
		SetButton(new ScrollBarButton("UpButton", "t"), 0);
		SetButton(new ScrollBarButton("DownButton", "u"), 1);
		_button[0]->SetTextInset(0, 1);
		_button[1]->SetTextInset(0, -1);
		SetSize(17, 64);
	}
	else
	{
		SetSlider(new ScrollBarSlider(nullptr, nullptr, false));
		SetButton(new ScrollBarButton(nullptr, "w"), 0);
		SetButton(new ScrollBarButton(nullptr, "4"), 1);
		_button[0]->SetTextInset(0, 0);
		_button[1]->SetTextInset(0, 0);
		SetSize(64, 17);
	}

	// The bar's own paint flags; its overrides pass flags on to the slider only.
	Panel::SetPaintBorderEnabled(true);
	Panel::SetPaintBackgroundEnabled(false);
	Panel::SetPaintEnabled(true);
	SetButtonPressedScrollValue(20);
	SetBlockDragChaining(true);
	Validate();
}

ScrollBar::~ScrollBar() = default;

void ScrollBar::ApplySchemeSettings(IScheme *pScheme)
{
	BaseClass::ApplySchemeSettings(pScheme);
	const char *wide = pScheme ? pScheme->GetResourceString("ScrollBar.Wide") : "";
	if (wide && *wide)
	{
		int thickness = atoi(wide);
		if (IsProportional())
			thickness = scheme()->GetProportionalScaledValueEx(GetScheme(), thickness);
		if (IsVertical())
			SetSize(thickness, GetTall());
		else
			SetSize(GetWide(), thickness);
	}
	UpdateButtonsForImages();
}

void ScrollBar::OnSizeChanged(int newWide, int newTall)
{
	BaseClass::OnSizeChanged(newWide, newTall);
	InvalidateLayout();
	if (_slider)
		_slider->InvalidateLayout();
}

bool ScrollBar::IsVertical() { return _slider->IsVertical(); }

bool ScrollBar::HasFullRange() { return _slider->HasFullRange(); }

void ScrollBar::SendSliderMoveMessage(int value)
{
	PostActionSignal(new KeyValues("ScrollBarSliderMoved", "position", value));
}

void ScrollBar::OnSliderMoved(int position)
{
	SendSliderMoveMessage(position);
	UpdateSliderImages();
}

void ScrollBar::SetPaintBorderEnabled(bool state)
{
	if (_slider)
		_slider->SetPaintBorderEnabled(state);
}

void ScrollBar::SetPaintBackgroundEnabled(bool state)
{
	if (_slider)
		_slider->SetPaintBackgroundEnabled(state);
}

void ScrollBar::SetPaintEnabled(bool state)
{
	if (_slider)
		_slider->SetPaintEnabled(state);
}

void ScrollBar::PerformLayout()
{
	int wide, tall;
	GetPaintSize(wide, tall);
	if (_slider)
	{
		if (_slider->IsVertical())
		{
			if (m_bNoButtons)
			{
				_slider->SetBounds(0, 0, wide, tall + 1);
			}
			else
			{
				_slider->SetBounds(0, wide, wide, tall - 2 * wide + 1);
				if (_button[0])
					_button[0]->SetBounds(0, 0, wide, wide);
				if (_button[1])
					_button[1]->SetBounds(0, tall - wide, wide, wide);
			}
		}
		else if (m_bNoButtons)
		{
			// Without buttons the slider takes the whole bar, from its left edge.
			_slider->SetBounds(0, 0, wide, tall + 1);
		}
		else
		{
			_slider->SetBounds(tall, -1, wide - 2 * tall + 1, tall + 1);
			if (_button[0])
				_button[0]->SetBounds(0, 0, tall, tall);
			if (_button[1])
				_button[1]->SetBounds(wide - tall, 0, tall, tall);
		}
		_slider->MoveToFront();
		_slider->InvalidateLayout();
	}
	UpdateSliderImages();
	if (m_bAutoHideButtons && _slider)
		SetScrollbarButtonsVisible(_slider->IsSliderVisible());
	BaseClass::PerformLayout();
}

void ScrollBar::SetValue(int value) { _slider->SetValue(value); }

int ScrollBar::GetValue() { return _slider->GetValue(); }

void ScrollBar::SetRange(int min, int max) { _slider->SetRange(min, max); }

void ScrollBar::GetRange(int &min, int &max) { _slider->GetRange(min, max); }

void ScrollBar::SetRangeWindow(int rangeWindow) { _slider->SetRangeWindow(rangeWindow); }

int ScrollBar::GetRangeWindow() { return _slider->GetRangeWindow(); }

void ScrollBar::SetButton(Button *button, int index)
{
	if (index < 0 || index > 1)
		return;
	if (_button[index])
		_button[index]->SetParent(static_cast<Panel *>(nullptr));
	_button[index] = button;
	if (button)
	{
		button->SetParent(this);
		button->AddActionSignalTarget(this);
		button->SetCommand(new KeyValues("ScrollButtonPressed", "index", index));
	}
	Validate();
}

Button *ScrollBar::GetButton(int index) { return index >= 0 && index <= 1 ? _button[index] : nullptr; }

void ScrollBar::SetSlider(ScrollBarSlider *slider)
{
	if (!slider)
		return;
	if (_slider)
		_slider->SetParent(static_cast<Panel *>(nullptr));
	_slider = slider;
	_slider->AddActionSignalTarget(this);
	_slider->SetParent(this);
	Validate();
}

ScrollBarSlider *ScrollBar::GetSlider() { return _slider; }

void ScrollBar::SetButtonPressedScrollValue(int value) { _buttonPressedScrollValue = value; }

void ScrollBar::Validate()
{
	if (!_slider)
		return;
	int buttonOffset = 0;
	for (Button *button : _button)
	{
		if (button && button->IsVisible())
			buttonOffset += _slider->IsVertical() ? button->GetTall() : button->GetWide();
	}
	_slider->SetButtonOffset(buttonOffset);
}

void ScrollBar::SetScrollbarButtonsVisible(bool visible)
{
	for (Button *button : _button)
	{
		if (!button)
			continue;
		button->SetPaintEnabled(visible);
		button->SetEnabled(visible);
	}
}

void ScrollBar::RespondToScrollArrow(int const direction)
{
	if (!_respond)
		return;
	_slider->SetValue(_slider->GetValue() + direction * _buttonPressedScrollValue);
	// The targets learn the value the slider holds: a step past either end stays inside the range.
	SendSliderMoveMessage(_slider->GetValue());
}

void ScrollBar::OnMouseFocusTicked()
{
	int direction = 0;
	if (_button[0] && _button[0]->IsDepressed())
		direction = -1;
	else if (_button[1] && _button[1]->IsDepressed())
		direction = 1;

	int now = static_cast<int>(system()->GetTimeMillis());
	if (direction == 0)
	{
		_scrollDelay = now + kFirstRepeatDelay;
		_respond = true;
		return;
	}
	RespondToScrollArrow(direction);
	if (_scrollDelay < now)
	{
		_scrollDelay = now + kRepeatDelay;
		_respond = true;
	}
	else
	{
		_respond = false;
	}
}

void ScrollBar::UpdateButtonsForImages() {}

void ScrollBar::UpdateSliderImages() {}

void ScrollBar::ApplySettings(KeyValues *pInResourceData)
{
	BaseClass::ApplySettings(pInResourceData);
	m_bNoButtons = pInResourceData->GetBool("nobuttons", false);

	struct Section
	{
		const char *name;
		Panel *child;
	} const sections[] = { { "Slider", _slider }, { "UpButton", _button[0] }, { "DownButton", _button[1] } };
	for (const Section &s : sections)
	{
		KeyValues *section = pInResourceData->FindKey(s.name);
		if (section && s.child)
			s.child->ApplySettings(section);
	}
}
}
