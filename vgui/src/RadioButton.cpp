// vgui::RadioButton: group selection through "RadioButtonChecked" sent to the siblings, tab
// order by group, arrow-key moves within the group; vgui::RadioImage paints the dot from
// Marlett glyphs.
#include "vgui_controls/RadioButton.h"

#include "tier1/KeyValues.h"
#include "tier1/strtools.h"
#include "vgui/IPanel.h"
#include "vgui/IScheme.h"
#include "vgui/IVGui.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/Controls.h"

namespace vgui
{
namespace
{
Panel *Create_RadioButton() { return new RadioButton(nullptr, nullptr, "RadioButton"); }
CBuildFactoryHelper g_RadioButton_Helper("RadioButton", Create_RadioButton);
}

RadioImage::RadioImage(RadioButton *radioButton)
    : TextImage("n"), _borderColor1(0, 0, 0, 0), _borderColor2(0, 0, 0, 0), _checkColor(0, 0, 0, 0),
      _bgColor(0, 0, 0, 0), _radioButton(radioButton)
{
	SetSize(20, 13);
}

void RadioImage::SetColor(Color color)
{
	_borderColor1 = color;
	_borderColor2 = color;
	_checkColor = color;
}

void RadioImage::Paint()
{
	DrawSetTextFont(GetFont());
	DrawSetTextColor(_radioButton->IsEnabled() ? _bgColor : _radioButton->GetBgColor());
	DrawPrintChar(0, 1, L'n');
	DrawSetTextColor(_borderColor1);
	DrawPrintChar(0, 1, L'j');
	DrawSetTextColor(_borderColor2);
	DrawPrintChar(0, 1, L'k');
	if (_radioButton->IsSelected())
	{
		DrawSetTextColor(_checkColor);
		DrawPrintChar(0, 1, L'h');
	}
}

RadioButton::RadioButton(Panel *parent, const char *panelName, const char *text)
    : ToggleButton(parent, panelName, text), _oldTabPosition(0), _selectedFgColor(0, 0, 0, 0), _subTabPosition(0)
{
	SetContentAlignment(a_west);
	_radioBoxImage = new RadioImage(this);
	SetTextImageIndex(1);
	SetImageAtIndex(0, _radioBoxImage, 0);
	SetButtonActivationType(ACTIVATE_ONPRESSED);
}

RadioButton::~RadioButton() { delete _radioBoxImage; }

void RadioButton::ApplySchemeSettings(IScheme *pScheme)
{
	BaseClass::ApplySchemeSettings(pScheme);
	if (!pScheme)
		return;
	_radioBoxImage->_bgColor = GetSchemeColor("CheckButton.BgColor", Color(150, 150, 150, 0), pScheme);
	_radioBoxImage->_borderColor1 = GetSchemeColor("CheckButton.Border1", Color(20, 20, 20, 0), pScheme);
	_radioBoxImage->_borderColor2 = GetSchemeColor("CheckButton.Border2", Color(90, 90, 90, 0), pScheme);
	_radioBoxImage->_checkColor = GetSchemeColor("CheckButton.Check", Color(20, 20, 20, 0), pScheme);
	SetFgColor(GetSchemeColor("RadioButton.TextColor", Color(255, 255, 255, 255), pScheme));
	_selectedFgColor =
	    GetSchemeColor("RadioButton.SelectedTextColor", GetSchemeColor("ControlText", pScheme), pScheme);
	SetDefaultColor(GetFgColor(), GetBgColor());
	SetArmedColor(GetSchemeColor("RadioButton.ArmedTextColor", Color(255, 255, 255, 255), pScheme), _armedBgColor);

	SetContentAlignment(a_west);
	_radioBoxImage->SetFont(pScheme->GetFont("Marlett", IsProportional()));
	_radioBoxImage->ResizeImageToContent();
	SetImageAtIndex(0, _radioBoxImage, 0);
	SetPaintBackgroundEnabled(false);
}

void RadioButton::ApplySettings(KeyValues *inResourceData)
{
	BaseClass::ApplySettings(inResourceData);
	SetTextColorState(CS_NORMAL);
	if (inResourceData)
	{
		_subTabPosition = inResourceData->GetInt("SubTabPosition", 0);
		_oldTabPosition = inResourceData->GetInt("TabPosition", 0);
	}
	SetImageAtIndex(0, _radioBoxImage, 0);
}

void RadioButton::GetSettings(KeyValues *outResourceData)
{
	BaseClass::GetSettings(outResourceData);
	if (!outResourceData)
		return;
	outResourceData->SetInt("SubTabPosition", _subTabPosition);
	outResourceData->SetInt("TabPosition", GetRadioTabPosition());
}

const char *RadioButton::GetDescription()
{
	static char s_description[1024];
	V_snprintf(s_description, sizeof(s_description), "%s, int SubTabPosition", BaseClass::GetDescription());
	return s_description;
}

void RadioButton::Paint() { BaseClass::Paint(); }

void RadioButton::PerformLayout()
{
	SetBorder(GetBorder(IsDepressed(), IsArmed(), IsSelected(), HasFocus()));
	SetFgColor(IsSelected() ? _selectedFgColor : GetButtonFgColor());
	SetBgColor(GetButtonBgColor());
	Label::PerformLayout();
}

IBorder *RadioButton::GetBorder(bool, bool, bool, bool) { return nullptr; }

void RadioButton::DoClick() { SetSelected(true); }

void RadioButton::SetSelected(bool state) { InternalSetSelected(state, true); }

void RadioButton::SilentSetSelected(bool state) { InternalSetSelected(state, false); }

void RadioButton::InternalSetSelected(bool state, bool bFireEvents)
{
	if (state)
	{
		if (!IsEnabled())
			return;
		SetTabPosition(_oldTabPosition);
		if (bFireEvents)
		{
			KeyValues *message = new KeyValues("RadioButtonChecked");
			message->SetPtr("panel", this);
			message->SetInt("tabposition", _oldTabPosition);
			if (VPANEL parent = GetVParent())
			{
				for (int i = 0; i < ipanel()->GetChildCount(parent); ++i)
				{
					VPANEL child = ipanel()->GetChild(parent, i);
					if (child != GetVPanel())
						ivgui()->PostMessage(child, message->MakeCopy(), GetVPanel());
				}
			}
			RequestFocus();
			PostActionSignal(message);
		}
	}
	else
	{
		// Unselected buttons leave the tab order; the group number is kept. The panel keeps tab
		// positions in one byte, so a group above 255 comes back cut: keep the full number then.
		int current = GetTabPosition();
		if (current != 0 && current != (_oldTabPosition & 0xFF))
			_oldTabPosition = current;
		SetTabPosition(0);
	}
	InvalidateLayout();
	Repaint();
	Button::SetSelected(state);
}

void RadioButton::OnRadioButtonChecked(int tabposition)
{
	if (tabposition == _oldTabPosition)
		SetSelected(false);
}

RadioButton *RadioButton::FindBestRadioButton(int direction)
{
	Panel *parent = GetParent();
	if (!parent)
		return nullptr;
	RadioButton *best = nullptr;
	int highest = 0;
	for (int i = 0; i < parent->GetChildCount(); ++i)
	{
		auto *child = dynamic_cast<RadioButton *>(parent->GetChild(i));
		if (!child || child->GetRadioTabPosition() != _oldTabPosition)
			continue;
		int sub = child->GetSubTabPosition();
		if (sub == _subTabPosition + direction)
		{
			best = child;
			break;
		}
		if (sub == 0 && direction == 1)
		{
			best = child;
			continue;
		}
		if (sub > highest && direction == -1)
		{
			best = child;
			highest = sub;
			continue;
		}
		if (!best)
			best = child;
	}
	if (best)
		best->RequestFocus();
	InvalidateLayout();
	Repaint();
	return best;
}

void RadioButton::OnKeyCodeTyped(ButtonCode_t code)
{
	switch (code)
	{
	case KEY_ENTER:
	case KEY_SPACE:
		if (!IsSelected())
			SetSelected(true);
		else
			Panel::OnKeyCodeTyped(code);
		break;
	case KEY_UP:
	case KEY_LEFT:
		if (RadioButton *best = FindBestRadioButton(-1))
			best->SetSelected(true);
		break;
	case KEY_DOWN:
	case KEY_RIGHT:
		if (RadioButton *best = FindBestRadioButton(1))
			best->SetSelected(true);
		break;
	default:
		Panel::OnKeyCodeTyped(code);
		break;
	}
}
}
