// vgui::CheckButton: a toggle button drawn as a check box left of its text, and the box image
// vgui::CheckImage (Marlett glyphs).
#pragma once

#include "vgui_controls/TextImage.h"
#include "vgui_controls/ToggleButton.h"

namespace vgui
{
class CheckButton;

class CheckImage : public TextImage
{
public:
	explicit CheckImage(CheckButton *checkButton);

	void Paint() override;
	// Both border colours and the check colour.
	void SetColor(Color color) override;

	Color _borderColor1;
	Color _borderColor2;
	Color _checkColor;
	Color _bgColor;

private:
	CheckButton *_checkButton;
};

class CheckButton : public ToggleButton
{
	DECLARE_CLASS_SIMPLE(CheckButton, ToggleButton);

public:
	CheckButton(Panel *parent, const char *panelName, const char *text);
	~CheckButton() override;

	void GetValueForLua(char *buffer, int bufferSize) override;
	void ApplySchemeSettings(IScheme *pScheme) override;
	void SetSelected(bool state) override;
	Color GetButtonFgColor() override;
	IBorder *GetBorder(bool depressed, bool armed, bool selected, bool keyfocus) override;
	using Panel::GetBorder;

	// Its own operations, in slot order.
	virtual void SetCheckButtonCheckable(bool state);
	virtual bool IsCheckButtonCheckable() const { return m_bCheckButtonCheckable; }
	virtual void SetHighlightColor(Color fgColor);
	MESSAGE_FUNC_PTR(OnCheckButtonChecked, "CheckButtonChecked", panel) {}

	Color GetDisabledFgColor() const { return _disabledFgColor; }
	Color GetDisabledBgColor() const { return _disabledBgColor; }
	CheckImage *GetCheckImage() { return _checkBoxImage; }

private:
	bool m_bCheckButtonCheckable;
	CheckImage *_checkBoxImage;
	Color _disabledFgColor;
	Color _disabledBgColor;
	Color _highlightFgColor;
};
}
