// vgui::RadioButton: a toggle button drawn with a round vgui::RadioImage. Radio buttons under
// one parent that share a radio tab position form a group: selecting one deselects the others,
// and the arrow keys move the selection in the order of their sub-tab positions.
#pragma once

#include "vgui_controls/TextImage.h"
#include "vgui_controls/ToggleButton.h"

namespace vgui
{
class RadioButton;

class RadioImage : public TextImage
{
public:
	explicit RadioImage(RadioButton *radioButton);

	void Paint() override;
	// Both border colours and the check colour.
	void SetColor(Color color) override;

	Color _borderColor1;
	Color _borderColor2;
	Color _checkColor;
	Color _bgColor;

private:
	RadioButton *_radioButton;
};

class RadioButton : public ToggleButton
{
	DECLARE_CLASS_SIMPLE(RadioButton, ToggleButton);

public:
	RadioButton(Panel *parent, const char *panelName, const char *text);
	~RadioButton() override;

	// Its own operations, in slot order.
	virtual int GetSubTabPosition() { return _subTabPosition; }
	virtual void SetSubTabPosition(int position) { _subTabPosition = position; }
	virtual int GetRadioTabPosition() { return _oldTabPosition; }
	virtual void SilentSetSelected(bool state);
	MESSAGE_FUNC_INT(OnRadioButtonChecked, "RadioButtonChecked", tabposition);

	void ApplySchemeSettings(IScheme *pScheme) override;
	void ApplySettings(KeyValues *inResourceData) override;
	void GetSettings(KeyValues *outResourceData) override;
	const char *GetDescription() override;
	void OnKeyCodeTyped(ButtonCode_t code) override;
	void Paint() override;
	void PerformLayout() override;
	void SetSelected(bool state) override;
	void DoClick() override;
	IBorder *GetBorder(bool depressed, bool armed, bool selected, bool keyfocus) override;
	using Panel::GetBorder;

	// The button of this group that the arrow keys move to (direction -1 up, +1 down), which
	// is given the focus; null without a parent.
	RadioButton *FindBestRadioButton(int direction);

private:
	void InternalSetSelected(bool state, bool bFireEvents);

	RadioImage *_radioBoxImage;
	int _oldTabPosition;
	Color _selectedFgColor;
	int _subTabPosition;
};
}
