// vgui::Button: state bits and what they derive (border, colours, depressed look), firing the
// command, mouse, key and pad handling, sounds, painting and the Lua members and hooks.
#include "vgui_controls/Button.h"

#include <cmath>
#include <cstring>

#include "menu/FoyerixGlobals.h"
#include "lua/ILuaInterface.h"
#include "lua/LuaObject.h"
#include "tier1/KeyValues.h"
#include "tier1/convar.h"
#include "tier1/strtools.h"
#include "vgui/IInput.h"
#include "vgui/IScheme.h"
#include "vgui/ISurface.h"
#include "vgui/ISystem.h"
#include "vgui/IVGui.h"
#include "vgui_controls/BuildFactoryHelper.h"
#include "vgui_controls/Controls.h"

namespace vgui
{
CUtlSymbolTable g_ButtonSoundNames(0, 32, false);

namespace
{
// Pad buttons of the first pad (the key-name table's joystick range starts at 114).
enum PadCode
{
	KEY_XBUTTON_A = 114,
	KEY_XBUTTON_START = 121,
	KEY_XBUTTON_UP = 146,
	KEY_XBUTTON_RIGHT = 147,
	KEY_XBUTTON_DOWN = 148,
	KEY_XBUTTON_LEFT = 149,
	KEY_XSTICK1_RIGHT = 150,
	KEY_XSTICK1_LEFT = 151,
	KEY_XSTICK1_DOWN = 152,
	KEY_XSTICK1_UP = 153,
	KEY_XSTICK2_RIGHT = 156,
	KEY_XSTICK2_LEFT = 157,
	KEY_XSTICK2_DOWN = 158,
	KEY_XSTICK2_UP = 159,
};

Panel *Create_Button() { return new Button(nullptr, nullptr, "Button"); }
CBuildFactoryHelper g_Button_Helper("Button", Create_Button);

// Pad codes of the second and later pads fold onto the first pad's.
int BaseButtonCode(int code)
{
	if ((code >= KEY_XBUTTON_A && code <= 145) || (code >= 163 && code <= 170))
		return KEY_XBUTTON_A + (code - KEY_XBUTTON_A) % 32;
	if (code >= KEY_XBUTTON_UP && code <= 149)
		return KEY_XBUTTON_UP + (code - KEY_XBUTTON_UP) % 4;
	if (code >= KEY_XSTICK1_RIGHT && code <= 161)
		return KEY_XSTICK1_RIGHT + (code - KEY_XSTICK1_RIGHT) % 12;
	return code;
}

unsigned int ClickBit(ButtonCode_t code) { return 1u << ((static_cast<unsigned int>(code) + 1) % 32); }

bool SameColor(Color a, Color b) { return a == b; }
}

Button::Button(Panel *parent, const char *panelName, const char *text, Panel *pActionSignalTarget, const char *pCmd)
    : Label(parent, panelName, text)
{
	Init();
	if (pActionSignalTarget && pCmd)
	{
		AddActionSignalTarget(pActionSignalTarget);
		SetCommand(pCmd);
	}
}

Button::Button(Panel *parent, const char *panelName, const wchar_t *text, Panel *pActionSignalTarget,
               const char *pCmd)
    : Label(parent, panelName, text)
{
	Init();
	if (pActionSignalTarget && pCmd)
	{
		AddActionSignalTarget(pActionSignalTarget);
		SetCommand(pCmd);
	}
}

void Button::Init()
{
	_buttonFlags = BUTTON_BORDER_ENABLED | USE_CAPTURE_MOUSE;
	_mouseClickMask = 0;
	_actionMessage = nullptr;
	_defaultBorder = _depressedBorder = _keyFocusBorder = nullptr;
	_defaultFgColor = _defaultBgColor = _armedFgColor = _armedBgColor = Color(0, 0, 0, 0);
	_selectedFgColor = _selectedBgColor = _depressedFgColor = _depressedBgColor = Color(0, 0, 0, 0);
	_keyboardFocusColor = _blinkFgColor = Color(0, 0, 0, 0);
	m_bSelectionStateSaved = false;
	m_bStaySelectedOnClick = false;
	m_sArmedSoundName = m_sDepressedSoundName = m_sReleasedSoundName = CUtlSymbol();
	SetTextInset(6, 0);
	SetMouseClickEnabled(MOUSE_LEFT, true);
	SetButtonActivationType(ACTIVATE_ONPRESSEDANDRELEASED);
	SetPaintBackgroundEnabled(true);
	m_bPaintEnabled = true;
	m_iImageTexture = -1;
	m_bHasSelectedCheckFunc = false;
	m_pfnSelectedCheck = nullptr;

	AddToOverridableColors(&_defaultFgColor, "defaultFgColor_override");
	AddToOverridableColors(&_defaultBgColor, "defaultBgColor_override");
	AddToOverridableColors(&_armedFgColor, "armedFgColor_override");
	AddToOverridableColors(&_armedBgColor, "armedBgColor_override");
	AddToOverridableColors(&_depressedFgColor, "depressedFgColor_override");
	AddToOverridableColors(&_depressedBgColor, "depressedBgColor_override");
	AddToOverridableColors(&_selectedFgColor, "selectedFgColor_override");
	AddToOverridableColors(&_selectedBgColor, "selectedBgColor_override");
	AddToOverridableColors(&_keyboardFocusColor, "keyboardFocusColor_override");
	AddToOverridableColors(&_blinkFgColor, "blinkFgColor_override");
}

Button::~Button()
{
	if (_actionMessage)
		_actionMessage->deleteThis();
}

void Button::SetLuaMember(const char *name, bool value)
{
	if (g_Lua && m_pLuaTable)
		m_pLuaTable->SetMember(name, value);
}

void Button::PlayButtonSound(CUtlSymbol sound)
{
	if (sound.IsValid())
		surface()->PlaySound(g_ButtonSoundNames.String(sound));
}

// State bits.

bool Button::IsArmed() { return IsButtonFlag(ARMED); }
bool Button::IsDepressed() { return IsButtonFlag(DEPRESSED); }
bool Button::IsSelected() { return IsButtonFlag(SELECTED); }
bool Button::IsBlinking() { return IsButtonFlag(BLINK); }
void Button::SetUseCaptureMouse(bool state) { SetButtonFlag(USE_CAPTURE_MOUSE, state); }
bool Button::IsUseCaptureMouseEnabled() { return IsButtonFlag(USE_CAPTURE_MOUSE); }

void Button::SetArmed(bool state)
{
	if (IsButtonFlag(ARMED) != state)
	{
		SetButtonFlag(ARMED, state);
		RecalculateDepressedState();
		InvalidateLayout(false);
		if (state)
			PlayButtonSound(m_sArmedSoundName);
	}
	SetLuaMember("Armed", state);
}

void Button::SetSelected(bool state)
{
	if (IsButtonFlag(SELECTED) != state)
	{
		SetButtonFlag(SELECTED, state);
		RecalculateDepressedState();
		InvalidateLayout(false);
	}
	if (state && IsButtonFlag(ARMED))
	{
		SetButtonFlag(ARMED, false);
		InvalidateLayout(false);
	}
	SetLuaMember("Selected", state);
}

void Button::ForceDepressed(bool state)
{
	if (IsButtonFlag(FORCE_DEPRESSED) == state)
		return;
	SetButtonFlag(FORCE_DEPRESSED, state);
	RecalculateDepressedState();
	InvalidateLayout(false);
}

void Button::SetBlink(bool state)
{
	if (IsButtonFlag(BLINK) == state)
		return;
	SetButtonFlag(BLINK, state);
	RecalculateDepressedState();
	InvalidateLayout(false);
}

void Button::RecalculateDepressedState()
{
	bool depressed = IsEnabled() && !(m_bStaySelectedOnClick && IsSelected()) &&
	                 (IsButtonFlag(FORCE_DEPRESSED) || (IsButtonFlag(ARMED) && IsButtonFlag(SELECTED)));
	SetButtonFlag(DEPRESSED, depressed);
	SetLuaMember("Depressed", depressed);
}

void Button::SetButtonActivationType(ActivationType_t activationType) { _activationType = activationType; }

void Button::SetMouseClickEnabled(ButtonCode_t code, bool state)
{
	if (state)
		_mouseClickMask |= ClickBit(code);
	else
		_mouseClickMask &= ~ClickBit(code);
}

bool Button::IsMouseClickEnabled(ButtonCode_t code) { return (_mouseClickMask & ClickBit(code)) != 0; }

void Button::SetButtonBorderEnabled(bool state)
{
	if (IsButtonFlag(BUTTON_BORDER_ENABLED) == state)
		return;
	SetButtonFlag(BUTTON_BORDER_ENABLED, state);
	InvalidateLayout(false);
}

void Button::SetDefaultColor(Color fgColor, Color bgColor)
{
	if (SameColor(_defaultFgColor, fgColor) && SameColor(_defaultBgColor, bgColor))
		return;
	_defaultFgColor = fgColor;
	_defaultBgColor = bgColor;
	InvalidateLayout(false);
}

void Button::SetArmedColor(Color fgColor, Color bgColor)
{
	if (SameColor(_armedFgColor, fgColor) && SameColor(_armedBgColor, bgColor))
		return;
	_armedFgColor = fgColor;
	_armedBgColor = bgColor;
	InvalidateLayout(false);
}

void Button::SetSelectedColor(Color fgColor, Color bgColor)
{
	if (SameColor(_selectedFgColor, fgColor) && SameColor(_selectedBgColor, bgColor))
		return;
	_selectedFgColor = fgColor;
	_selectedBgColor = bgColor;
	InvalidateLayout(false);
}

void Button::SetDepressedColor(Color fgColor, Color bgColor)
{
	if (SameColor(_depressedFgColor, fgColor) && SameColor(_depressedBgColor, bgColor))
		return;
	_depressedFgColor = fgColor;
	_depressedBgColor = bgColor;
	InvalidateLayout(false);
}

void Button::SetBlinkColor(Color fgColor)
{
	if (SameColor(_blinkFgColor, fgColor))
		return;
	_blinkFgColor = fgColor;
	InvalidateLayout(false);
}

void Button::SetDefaultBorder(IBorder *border)
{
	_defaultBorder = border;
	InvalidateLayout(false);
}

void Button::SetDepressedBorder(IBorder *border)
{
	_depressedBorder = border;
	InvalidateLayout(false);
}

void Button::SetKeyFocusBorder(IBorder *border)
{
	_keyFocusBorder = border;
	InvalidateLayout(false);
}

void Button::SetSelectedCheckFunc(bool (*func)(Panel *))
{
	m_pfnSelectedCheck = func;
	m_bHasSelectedCheckFunc = true;
}

void Button::SetImage(const char *path)
{
	if (!path)
		return;
	int id = surface()->DrawGetTextureId(path);
	if (id == -1)
	{
		id = surface()->CreateNewTextureID();
		surface()->DrawSetTextureFile(id, path, true, false);
	}
	m_iImageTexture = id;
}

// Derived look.

Color Button::GetButtonBgColor()
{
	if (IsButtonFlag(DEPRESSED))
		return _depressedBgColor;
	if (IsButtonFlag(ARMED))
		return _armedBgColor;
	if (IsButtonFlag(SELECTED))
		return _selectedBgColor;
	return _defaultBgColor;
}

Color Button::GetButtonFgColor()
{
	Color base = IsButtonFlag(DEPRESSED) ? _depressedFgColor
	             : IsButtonFlag(ARMED)   ? _armedFgColor
	             : IsButtonFlag(SELECTED) ? _selectedFgColor
	                                      : _defaultFgColor;
	if (!IsButtonFlag(BLINK))
		return base;
	float t = static_cast<float>(system()->GetTimeMillis());
	float f = (sinf(t * 0.01f) + 1.0f) * 0.5f;
	auto mix = [f](int a, int b) { return static_cast<int>(a * f + b * (1.0f - f)); };
	return Color(mix(base.r(), _blinkFgColor.r()), mix(base.g(), _blinkFgColor.g()), mix(base.b(), _blinkFgColor.b()),
	             mix(base.a(), _blinkFgColor.a()));
}

IBorder *Button::GetBorder(bool depressed, bool, bool, bool keyfocus)
{
	if (depressed)
		return _depressedBorder;
	if (IsButtonFlag(BUTTON_BORDER_ENABLED) && (keyfocus || (IsEnabled() && IsButtonFlag(DEFAULT_BUTTON))))
		return _keyFocusBorder;
	return _defaultBorder;
}

void Button::PerformLayout()
{
	SetBorder(GetBorder(IsButtonFlag(DEPRESSED), IsButtonFlag(ARMED), IsButtonFlag(SELECTED), HasFocus()));
	SetFgColor(GetButtonFgColor());
	SetBgColor(GetButtonBgColor());
	BaseClass::PerformLayout();
}

void Button::SizeToContents()
{
	int wide, tall;
	GetContentSize(wide, tall);
	SetSize(wide + 8, tall + 8);
}

// Commands and default buttons.

void Button::SetCommand(const char *command)
{
	SetCommand(new KeyValues("Command", "command", command ? command : ""));
}

void Button::SetCommand(KeyValues *message)
{
	if (_actionMessage)
		_actionMessage->deleteThis();
	_actionMessage = message;
}

KeyValues *Button::GetCommand() { return _actionMessage; }

void Button::FireActionSignal()
{
	if (!_actionMessage)
		return;
	if (!V_stricmp(_actionMessage->GetName(), "command"))
	{
		const char *command = _actionMessage->GetString("command", "");
		if (!V_strnicmp(command, "url ", 4) && strstr(command, "://"))
			system()->ShellExecute("open", command + 4);
	}
	PostActionSignal(_actionMessage->MakeCopy());
}

bool Button::CanBeDefaultButton() { return true; }

void Button::SetAsDefaultButton(int state)
{
	if ((state != 0) == IsButtonFlag(DEFAULT_BUTTON))
		return;
	SetButtonFlag(DEFAULT_BUTTON, state != 0);
	if (state && GetVParent())
		ivgui()->PostMessage(GetVParent(),
		                     new KeyValues("DefaultButtonSet", "button",
		                                   static_cast<int>(ivgui()->PanelToHandle(GetVPanel()))),
		                     GetVPanel());
	InvalidateLayout(false);
	Repaint();
}

void Button::SetAsCurrentDefaultButton(int state)
{
	if ((state != 0) != IsButtonFlag(DEFAULT_BUTTON))
	{
		SetButtonFlag(DEFAULT_BUTTON, state != 0);
		if (state && GetVParent())
			ivgui()->PostMessage(GetVParent(),
			                     new KeyValues("CurrentDefaultButtonSet", "button",
			                                   static_cast<int>(ivgui()->PanelToHandle(GetVPanel()))),
			                     GetVPanel());
		InvalidateLayout(false);
		Repaint();
	}
	SetLuaMember("DefaultButton", state != 0);
}

void Button::OnSetState(int state)
{
	SetSelected(state != 0);
	Repaint();
}

void Button::OnHotkey() { DoClick(); }

bool Button::RequestInfo(KeyValues *data)
{
	if (data && !V_stricmp(data->GetName(), "CanBeDefaultButton"))
	{
		data->SetInt("result", CanBeDefaultButton() ? 1 : 0);
		return true;
	}
	if (data && !V_stricmp(data->GetName(), "GetState"))
	{
		data->SetInt("state", IsSelected() ? 1 : 0);
		return true;
	}
	if (data && !V_stricmp(data->GetName(), "GetCommand"))
	{
		data->SetString("command", _actionMessage ? _actionMessage->GetString("command", "") : "");
		return true;
	}
	return BaseClass::RequestInfo(data);
}

// Firing.

void Button::DoClick()
{
	SetSelected(true);
	FireActionSignal();
	PlayButtonSound(m_sReleasedSoundName);

	// The first pad activation that moves the navigation locks it.
	ConVarRef navLock("vgui_nav_lock", true);
	if ((!navLock.IsValid() || navLock.GetInt() == 0) && NavigateActivate() && navLock.IsValid())
		navLock.SetValue(1);

	if (!m_bStaySelectedOnClick)
		SetSelected(false);

	int x = 0, y = 0;
	input()->GetCursorPos(x, y);
	ScreenToLocal(x, y);
	double args[2] = { static_cast<double>(x), static_cast<double>(y) };
	CallLuaHook("DoClick", 2, args);
}

// Mouse.

void Button::OnCursorEntered()
{
	if (IsEnabled() && !IsSelected())
		SetArmed(true);
	Panel::OnCursorEntered();
}

void Button::OnCursorExited()
{
	if (!IsButtonFlag(BUTTON_KEY_DOWN) && !IsSelected())
		SetArmed(false);
	Panel::OnCursorExited();
}

void Button::OnMousePressed(ButtonCode_t code)
{
	double args[1] = { static_cast<double>(code) };
	bool handled = false;
	if (CallLuaHook("OnMousePressed", 1, args, &handled) && handled)
		return;
	if (!IsEnabled() || !IsMouseClickEnabled(code))
		return;
	if (_activationType == ACTIVATE_ONPRESSED)
	{
		if (IsKeyBoardInputEnabled())
			RequestFocus();
		DoClick();
		return;
	}
	PlayButtonSound(m_sDepressedSoundName);
	if (IsUseCaptureMouseEnabled() && _activationType == ACTIVATE_ONPRESSEDANDRELEASED)
	{
		if (IsKeyBoardInputEnabled())
			RequestFocus();
		SetSelected(true);
		Repaint();
		input()->SetMouseCapture(GetVPanel());
	}
}

void Button::OnMouseDoublePressed(ButtonCode_t code) { OnMousePressed(code); }

void Button::OnMouseReleased(ButtonCode_t code)
{
	if (IsUseCaptureMouseEnabled())
		input()->SetMouseCapture(0);
	double args[1] = { static_cast<double>(code) };
	bool handled = false;
	if (CallLuaHook("OnMouseReleased", 1, args, &handled) && handled)
		return;
	if (_activationType == ACTIVATE_ONPRESSED || !IsMouseClickEnabled(code))
		return;
	if (!IsSelected() && _activationType == ACTIVATE_ONPRESSEDANDRELEASED)
		return;
	if (IsEnabled() && (input()->GetMouseOver() == GetVPanel() || IsButtonFlag(BUTTON_KEY_DOWN)))
		DoClick();
	else if (!m_bStaySelectedOnClick)
		SetSelected(false);
	Repaint();
}

// Keys and pad.

void Button::OnKeyCodePressed(ButtonCode_t code)
{
	int base = BaseButtonCode(code);
	if (base == KEY_XBUTTON_A && IsEnabled())
	{
		SetArmed(true);
		SetButtonFlag(BUTTON_KEY_DOWN, true);
		if (_activationType != ACTIVATE_ONRELEASED)
			DoClick();
	}
	else if (code == KEY_ENTER || code == KEY_SPACE)
	{
		SetArmed(true);
		SetButtonFlag(BUTTON_KEY_DOWN, true);
		OnMousePressed(MOUSE_LEFT);
		// Not a real mouse press: give the mouse back.
		if (IsUseCaptureMouseEnabled())
			input()->SetMouseCapture(0);
	}
	else
	{
		SetButtonFlag(BUTTON_KEY_DOWN, false);
		BaseClass::OnKeyCodePressed(code);
	}
}

void Button::OnKeyCodeReleased(ButtonCode_t code)
{
	int base = BaseButtonCode(code);
	bool keyDown = IsButtonFlag(BUTTON_KEY_DOWN);
	if (keyDown && (base == KEY_XBUTTON_A || base == KEY_XBUTTON_START))
	{
		SetArmed(true);
		if (_activationType != ACTIVATE_ONPRESSED)
			DoClick();
	}
	else if (keyDown && (base == KEY_ENTER || base == KEY_SPACE))
	{
		SetArmed(true);
		OnMouseReleased(MOUSE_LEFT);
	}
	else
		BaseClass::OnKeyCodeReleased(code);
	SetButtonFlag(BUTTON_KEY_DOWN, false);

	bool navigation = base == KEY_XSTICK1_UP || base == KEY_XSTICK1_DOWN || base == KEY_XSTICK1_LEFT ||
	                  base == KEY_XSTICK1_RIGHT || base == KEY_XSTICK2_UP || base == KEY_XSTICK2_DOWN ||
	                  base == KEY_XSTICK2_LEFT || base == KEY_XSTICK2_RIGHT || base == KEY_XBUTTON_UP ||
	                  base == KEY_XBUTTON_DOWN || base == KEY_XBUTTON_LEFT || base == KEY_XBUTTON_RIGHT ||
	                  code == KEY_UP || code == KEY_DOWN || code == KEY_LEFT || code == KEY_RIGHT;
	if (!navigation)
		SetArmed(false);
}

// Focus and pad navigation.

void Button::OnSetFocus()
{
	InvalidateLayout(false);
	BaseClass::OnSetFocus();
}

void Button::OnKillFocus()
{
	InvalidateLayout(false);
	BaseClass::OnKillFocus();
}

void Button::NavigateTo()
{
	BaseClass::NavigateTo();
	SetArmed(true);
	RequestFocus();
}

void Button::NavigateFrom()
{
	BaseClass::NavigateFrom();
	SetArmed(false);
	OnKeyCodeReleased(static_cast<ButtonCode_t>(KEY_XBUTTON_A));
}

// Painting.

void Button::Paint()
{
	int wide, tall;
	GetSize(wide, tall);
	if (m_iImageTexture == -1)
	{
		if (!m_bPaintEnabled)
			return;
		BaseClass::Paint();
	}
	else
	{
		if (IsEnabled())
			surface()->DrawSetColor(255, 255, 255, 255);
		else
			surface()->DrawSetColor(125, 125, 125, 125);
		surface()->DrawSetTexture(m_iImageTexture);
		int tw = 0, th = 0;
		surface()->DrawGetTextureSize(m_iImageTexture, tw, th);
		int x = wide / 2 - tw / 2, y = tall / 2 - th / 2;
		surface()->DrawTexturedRect(x, y, x + tw, y + th);
	}

	if (m_bHasSelectedCheckFunc && m_pfnSelectedCheck && m_pfnSelectedCheck(this))
	{
		double t = system()->GetCurrentTime();
		int thickness = static_cast<int>((sin(15.0 * t) * 0.07 + 0.1) * ((wide + tall) * 0.5));
		surface()->DrawSetColor(_depressedBgColor.r(), _depressedBgColor.g(), _depressedBgColor.b(), 245);
		surface()->DrawFilledRect(0, 0, thickness, tall);
		surface()->DrawFilledRect(wide - thickness, 0, wide, tall);
		surface()->DrawFilledRect(thickness, 0, wide - thickness, thickness);
		surface()->DrawFilledRect(thickness, tall - thickness, wide - thickness, tall);
	}
}

void Button::DrawFocusBorder(int tx0, int ty0, int tx1, int ty1)
{
	surface()->DrawSetColor(_keyboardFocusColor);
	DrawDashedLine(tx0, ty0, tx1, ty0 + 1, 1, 1);
	DrawDashedLine(tx0, ty0, tx0 + 1, ty1, 1, 1);
	DrawDashedLine(tx0, ty1 - 1, tx1, ty1, 1, 1);
	DrawDashedLine(tx1 - 1, ty0, tx1, ty1, 1, 1);
}

// Settings and scheme.

void Button::ApplySchemeSettings(IScheme *pScheme)
{
	BaseClass::ApplySchemeSettings(pScheme);
	if (!pScheme)
		return;
	_defaultBorder = pScheme->GetBorder("ButtonBorder");
	_depressedBorder = pScheme->GetBorder("ButtonDepressedBorder");
	_keyFocusBorder = pScheme->GetBorder("ButtonKeyFocusBorder");

	_defaultFgColor = GetSchemeColor("Button.TextColor", Color(255, 255, 255, 255), pScheme);
	_defaultBgColor = GetSchemeColor("Button.BgColor", Color(0, 0, 0, 255), pScheme);
	_armedFgColor = GetSchemeColor("Button.ArmedTextColor", _defaultFgColor, pScheme);
	_armedBgColor = GetSchemeColor("Button.ArmedBgColor", _defaultBgColor, pScheme);
	_selectedFgColor = GetSchemeColor("Button.SelectedTextColor", _selectedFgColor, pScheme);
	_selectedBgColor = GetSchemeColor("Button.SelectedBgColor", _selectedBgColor, pScheme);
	_depressedFgColor = GetSchemeColor("Button.DepressedTextColor", _defaultFgColor, pScheme);
	_depressedBgColor = GetSchemeColor("Button.DepressedBgColor", _defaultBgColor, pScheme);
	_keyboardFocusColor = GetSchemeColor("Button.FocusBorderColor", Color(0, 0, 0, 255), pScheme);
	_blinkFgColor = GetSchemeColor("Button.BlinkColor", Color(255, 155, 0, 255), pScheme);
	InvalidateLayout(false);
}

void Button::ApplySettings(KeyValues *inResourceData)
{
	BaseClass::ApplySettings(inResourceData);
	if (!inResourceData)
		return;
	const char *command = inResourceData->GetString("command", "");
	if (*command)
		SetCommand(command);
	if (inResourceData->GetInt("default", 0) && CanBeDefaultButton())
		SetAsDefaultButton(1);
	int selected = inResourceData->GetInt("selected", -1);
	if (selected != -1)
	{
		SetSelected(selected != 0);
		m_bSelectionStateSaved = true;
	}
	m_bStaySelectedOnClick = inResourceData->GetBool("stayselectedonclick", false);

	const char *sound = inResourceData->GetString("sound_armed", "");
	if (*sound)
		m_sArmedSoundName = g_ButtonSoundNames.AddString(sound);
	sound = inResourceData->GetString("sound_depressed", "");
	if (*sound)
		m_sDepressedSoundName = g_ButtonSoundNames.AddString(sound);
	sound = inResourceData->GetString("sound_released", "");
	if (*sound)
		m_sReleasedSoundName = g_ButtonSoundNames.AddString(sound);

	_activationType = static_cast<ActivationType_t>(inResourceData->GetInt("button_activation_type", 2));
}

void Button::GetSettings(KeyValues *outResourceData)
{
	BaseClass::GetSettings(outResourceData);
	if (!outResourceData)
		return;
	if (_actionMessage)
		outResourceData->SetString("command", _actionMessage->GetString("command", ""));
	outResourceData->SetInt("default", IsButtonFlag(DEFAULT_BUTTON) ? 1 : 0);
	if (m_bSelectionStateSaved)
		outResourceData->SetInt("selected", IsSelected() ? 1 : 0);
}

const char *Button::GetDescription()
{
	static char s_description[1024];
	V_snprintf(s_description, sizeof(s_description), "%s, string command, int default", BaseClass::GetDescription());
	return s_description;
}
}
