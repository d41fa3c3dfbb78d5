// vgui::ScrollBar: a scroll bar slider between two arrow buttons. The value, range and range
// window live in the slider; the bar forwards them, repeats arrow steps while a button is held
// and reports every move to its targets as "ScrollBarSliderMoved".
#pragma once

#include "vgui_controls/Panel.h"
#include "vgui_controls/PanelAnimationVar.h"

namespace vgui
{
class Button;
class ScrollBarSlider;

class ScrollBar : public Panel
{
	DECLARE_CLASS_SIMPLE(ScrollBar, Panel);

public:
	ScrollBar(Panel *parent, const char *panelName, bool vertical);
	~ScrollBar() override;

	void OnSizeChanged(int newWide, int newTall) override;
	void SetPaintBorderEnabled(bool state) override;
	void SetPaintBackgroundEnabled(bool state) override;
	void SetPaintEnabled(bool state) override;
	void ApplySchemeSettings(IScheme *pScheme) override;
	void ApplySettings(KeyValues *pInResourceData) override;
	void OnMouseFocusTicked() override;
	void PerformLayout() override;

	// Its own operations, in slot order.
	virtual void SetValue(int value);
	virtual int GetValue();
	virtual void SetRange(int min, int max);
	virtual void GetRange(int &min, int &max);
	virtual void SetRangeWindow(int rangeWindow);
	virtual int GetRangeWindow();
	virtual bool IsVertical();
	virtual bool HasFullRange();
	virtual void SetButton(Button *button, int index);
	virtual Button *GetButton(int index);
	virtual void SetSlider(ScrollBarSlider *slider);
	virtual ScrollBarSlider *GetSlider();
	virtual void SetButtonPressedScrollValue(int value);
	virtual void Validate();
	virtual void SetScrollbarButtonsVisible(bool visible);
	virtual void SendSliderMoveMessage(int value);
	MESSAGE_FUNC_INT(OnSliderMoved, "ScrollBarSliderMoved", position);
	virtual void RespondToScrollArrow(int const direction);
	virtual void UpdateButtonsForImages();
	virtual void UpdateSliderImages();

	int GetButtonPressedScrollValue() const { return _buttonPressedScrollValue; }

private:
	Button *_button[2];
	ScrollBarSlider *_slider;
	int _buttonPressedScrollValue;
	int _scrollDelay;
	bool _respond;
	bool m_bNoButtons;
	CPanelAnimationVar(bool, m_bAutoHideButtons, "autohide_buttons", "0");
};
}
