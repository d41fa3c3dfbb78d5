// vgui::CheckButton: a check box and its text; reports every selection request with
// "CheckButtonChecked"; vgui::CheckImage paints the box from Marlett glyphs.
#include "vgui_controls/CheckButton.h"

#include "tier1/KeyValues.h"
#include "tier1/strtools.h"
#include "vgui/IScheme.h"
#include "vgui_controls/BuildFactoryHelper.h"

namespace vgui
{
namespace
{
Panel *Create_CheckButton() { return new CheckButton(nullptr, nullptr, "CheckButton"); }
CBuildFactoryHelper g_CheckButton_Helper("CheckButton", Create_CheckButton);
}

CheckImage::CheckImage(CheckButton *checkButton)
    : TextImage(""), _borderColor1(0, 0, 0, 0), _borderColor2(0, 0, 0, 0), _checkColor(0, 0, 0, 0),
      _bgColor(0, 0, 0, 0), _checkButton(checkButton)
{
	SetSize(20, 13);
}

void CheckImage::SetColor(Color color)
{
	_borderColor1 = color;
	_borderColor2 = color;
	_checkColor = color;
}

void CheckImage::Paint()
{
	DrawSetTextFont(GetFont());
	bool live = _checkButton->IsEnabled() && _checkButton->IsCheckButtonCheckable();
	DrawSetTextColor(live ? _bgColor : _checkButton->GetDisabledBgColor());
	DrawPrintChar(0, 1, L'g');
	DrawSetTextColor(_borderColor1);
	DrawPrintChar(0, 1, L'e');
	DrawSetTextColor(_borderColor2);
	DrawPrintChar(0, 1, L'f');
	if (_checkButton->IsSelected())
	{
		DrawSetTextColor(_checkButton->IsEnabled() ? _checkColor : _checkButton->GetDisabledFgColor());
		DrawPrintChar(0, 2, L'b');
	}
}

CheckButton::CheckButton(Panel *parent, const char *panelName, const char *text)
    : ToggleButton(parent, panelName, text), m_bCheckButtonCheckable(true), _disabledFgColor(130, 130, 130, 255),
      _disabledBgColor(62, 70, 55, 255), _highlightFgColor(0, 0, 0, 0)
{
	SetContentAlignment(a_west);
	_checkBoxImage = new CheckImage(this);
	SetTextImageIndex(1);
	SetImageAtIndex(0, _checkBoxImage, 6);
	_selectedFgColor = Color(196, 181, 80, 255);
}

CheckButton::~CheckButton() { delete _checkBoxImage; }

void CheckButton::GetValueForLua(char *buffer, int bufferSize)
{
	V_strncpy(buffer, IsSelected() ? "1" : "0", bufferSize);
}

void CheckButton::ApplySchemeSettings(IScheme *pScheme)
{
	BaseClass::ApplySchemeSettings(pScheme);
	if (!pScheme)
		return;
	SetDefaultColor(GetSchemeColor("CheckButton.TextColor", Color(255, 255, 255, 255), pScheme), GetBgColor());
	_checkBoxImage->_bgColor = GetSchemeColor("CheckButton.BgColor", Color(62, 70, 55, 255), pScheme);
	_checkBoxImage->_borderColor1 = GetSchemeColor("CheckButton.Border1", Color(20, 20, 20, 255), pScheme);
	_checkBoxImage->_borderColor2 = GetSchemeColor("CheckButton.Border2", Color(90, 90, 90, 255), pScheme);
	_checkBoxImage->_checkColor = GetSchemeColor("CheckButton.Check", Color(20, 20, 20, 255), pScheme);
	_selectedFgColor =
	    GetSchemeColor("CheckButton.SelectedTextColor", GetSchemeColor("ControlText", pScheme), pScheme);
	_disabledFgColor = GetSchemeColor("CheckButton.DisabledFgColor", Color(130, 130, 130, 255), pScheme);
	_disabledBgColor = GetSchemeColor("CheckButton.DisabledBgColor", Color(62, 70, 55, 255), pScheme);
	SetArmedColor(GetFgColor(), GetSchemeColor("CheckButton.ArmedBgColor", Color(62, 70, 55, 255), pScheme));
	SetDepressedColor(GetFgColor(), GetSchemeColor("CheckButton.DepressedBgColor", Color(62, 70, 55, 255), pScheme));
	_highlightFgColor = GetSchemeColor("CheckButton.HighlightFgColor", Color(62, 70, 55, 255), pScheme);

	SetContentAlignment(a_west);
	_checkBoxImage->SetFont(pScheme->GetFont("Marlett", IsProportional()));
	_checkBoxImage->ResizeImageToContent();
	SetImageAtIndex(0, _checkBoxImage, 6);
	SetPaintBackgroundEnabled(false);
}

IBorder *CheckButton::GetBorder(bool, bool, bool, bool) { return nullptr; }

void CheckButton::SetCheckButtonCheckable(bool state)
{
	m_bCheckButtonCheckable = state;
	Repaint();
}

void CheckButton::SetHighlightColor(Color fgColor)
{
	if (_highlightFgColor == fgColor)
		return;
	_highlightFgColor = fgColor;
	InvalidateLayout(false);
}

void CheckButton::SetSelected(bool state)
{
	if (!m_bCheckButtonCheckable)
		return;
	PostActionSignal(new KeyValues("CheckButtonChecked", "state", state ? 1 : 0));
	Button::SetSelected(state);
}

Color CheckButton::GetButtonFgColor()
{
	if (IsArmed())
		return _highlightFgColor;
	if (IsSelected())
		return _selectedFgColor;
	return BaseClass::GetButtonFgColor();
}
}
