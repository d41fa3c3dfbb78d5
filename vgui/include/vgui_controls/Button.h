// vgui::Button: a label that can be clicked. Armed, depressed, selected, default and blink
// states, a command message posted when it fires, sounds, state colours and borders, and the
// menu scripts' Lua hooks.
#pragma once

#include "tier1/Color.h"
#include "tier1/utlsymbol.h"
#include "vgui_controls/Label.h"

class KeyValues;

namespace vgui
{
class IBorder;

// Sound names of every button, interned once for the process.
extern CUtlSymbolTable g_ButtonSoundNames;

class Button : public Label
{
	DECLARE_CLASS_SIMPLE(Button, Label);

public:
	enum ActivationType_t
	{
		ACTIVATE_ONPRESSEDANDRELEASED = 0,  // press selects and captures, release over it fires
		ACTIVATE_ONPRESSED,                 // fires on press
		ACTIVATE_ONRELEASED,                // fires on any release over it
	};

	Button(Panel *parent, const char *panelName, const char *text, Panel *pActionSignalTarget = nullptr,
	       const char *pCmd = nullptr);
	Button(Panel *parent, const char *panelName, const wchar_t *text, Panel *pActionSignalTarget = nullptr,
	       const char *pCmd = nullptr);
	~Button() override;

	// Panel and Label operations it overrides.
	bool RequestInfo(KeyValues *data) override;
	void ApplySchemeSettings(IScheme *pScheme) override;
	void ApplySettings(KeyValues *inResourceData) override;
	void GetSettings(KeyValues *outResourceData) override;
	const char *GetDescription() override;
	void OnSetFocus() override;
	void OnKillFocus() override;
	void OnCursorEntered() override;
	void OnCursorExited() override;
	void OnMousePressed(ButtonCode_t code) override;
	void OnMouseDoublePressed(ButtonCode_t code) override;
	void OnMouseReleased(ButtonCode_t code) override;
	void OnKeyCodePressed(ButtonCode_t code) override;
	void OnKeyCodeReleased(ButtonCode_t code) override;
	void Paint() override;
	void PerformLayout() override;
	void NavigateTo() override;
	void NavigateFrom() override;
	void SetCommand(const char *command) override;
	void SizeToContents() override;

	// Its own operations, in slot order.
	virtual void SetArmed(bool state);
	virtual bool IsArmed();
	virtual bool IsDepressed();
	virtual void ForceDepressed(bool state);
	virtual void RecalculateDepressedState();
	virtual void SetSelected(bool state);
	virtual bool IsSelected();
	virtual void SetBlink(bool state);
	virtual bool IsBlinking();
	virtual void SetUseCaptureMouse(bool state);
	virtual bool IsUseCaptureMouseEnabled();
	MESSAGE_FUNC(DoClick, "PressButton");
	MESSAGE_FUNC(OnHotkey, "Hotkey");
	virtual void SetMouseClickEnabled(ButtonCode_t code, bool state);
	virtual bool IsMouseClickEnabled(ButtonCode_t code);
	virtual void SetButtonActivationType(ActivationType_t activationType);
	virtual void FireActionSignal();
	virtual bool CanBeDefaultButton();
	MESSAGE_FUNC_INT(SetAsDefaultButton, "SetAsDefaultButton", state);
	MESSAGE_FUNC_INT(SetAsCurrentDefaultButton, "SetAsCurrentDefaultButton", state);
	virtual void SetButtonBorderEnabled(bool state);
	virtual void SetDefaultColor(Color fgColor, Color bgColor);
	virtual void SetArmedColor(Color fgColor, Color bgColor);
	virtual void SetSelectedColor(Color fgColor, Color bgColor);
	virtual void SetDepressedColor(Color fgColor, Color bgColor);
	virtual void SetBlinkColor(Color fgColor);
	virtual Color GetButtonFgColor();
	virtual Color GetButtonBgColor();
	virtual void SetDefaultBorder(IBorder *border);
	virtual void SetDepressedBorder(IBorder *border);
	virtual void SetKeyFocusBorder(IBorder *border);
	virtual void SetCommand(KeyValues *message);
	virtual KeyValues *GetCommand();
	virtual void DrawFocusBorder(int tx0, int ty0, int tx1, int ty1);
	using Panel::GetBorder;
	virtual IBorder *GetBorder(bool depressed, bool armed, bool selected, bool keyfocus);
	MESSAGE_FUNC_INT(OnSetState, "SetState", state);
	virtual void SetSelectedCheckFunc(bool (*func)(Panel *));
	virtual void SetImage(const char *path);

	ActivationType_t GetButtonActivationType() const { return _activationType; }

protected:
	enum ButtonFlags_t
	{
		ARMED = 0x0001,
		DEPRESSED = 0x0002,
		FORCE_DEPRESSED = 0x0004,
		BUTTON_BORDER_ENABLED = 0x0008,
		USE_CAPTURE_MOUSE = 0x0010,
		BUTTON_KEY_DOWN = 0x0020,
		DEFAULT_BUTTON = 0x0040,
		SELECTED = 0x0080,
		DRAW_FOCUS_BOX = 0x0100,
		BLINK = 0x0200,
		ALL_FLAGS = 0xFFFF,
	};
	bool IsButtonFlag(unsigned short flag) const { return (_buttonFlags & flag) != 0; }
	void SetButtonFlag(unsigned short flag, bool state)
	{
		_buttonFlags = state ? (_buttonFlags | flag) : (_buttonFlags & ~flag);
	}
	// Sets a member of the panel's Lua table when the state and the table exist.
	void SetLuaMember(const char *name, bool value);

	// State colours; derived buttons read and set them from their own scheme keys.
	Color _defaultFgColor, _defaultBgColor;
	Color _armedFgColor, _armedBgColor;
	Color _selectedFgColor, _selectedBgColor;
	Color _depressedFgColor, _depressedBgColor;
	Color _keyboardFocusColor;
	Color _blinkFgColor;

private:
	void Init();
	void PlayButtonSound(CUtlSymbol sound);

	unsigned short _buttonFlags;
	unsigned int _mouseClickMask;
	KeyValues *_actionMessage;
	ActivationType_t _activationType;
	IBorder *_defaultBorder;
	IBorder *_depressedBorder;
	IBorder *_keyFocusBorder;
	bool m_bPaintEnabled;
	CUtlSymbol m_sArmedSoundName, m_sDepressedSoundName, m_sReleasedSoundName;
	bool m_bSelectionStateSaved;
	bool m_bStaySelectedOnClick;
	bool m_bHasSelectedCheckFunc;
	bool (*m_pfnSelectedCheck)(Panel *);
	int m_iImageTexture;
};
}
