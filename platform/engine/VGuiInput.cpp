// The stand-in input state ("VGUI_Input005"): cursor position, buttons held, the panel under
// the cursor, key focus, mouse capture, the app-modal panel and the modal subtree, updated
// from queued events, which it turns into the input messages panels receive; the internal
// input ("VGUI_InputInternal001") hands events to the panels at once; key trapping.
#include <cstring>
#include <vector>

#include "VGuiInternal.h"
#include "tier1/KeyValues.h"
#include "tier1/interface.h"
#include "vgui/IClientPanel.h"
#include "vgui/IInputInternal.h"
#include "vgui/IPanel.h"

using vgui::VPANEL;

namespace
{
struct Event
{
	enum Kind
	{
		Move,
		Button,
		Char,
		Wheel,
	};
	Kind kind;
	int x, y;  // Move: the position; Char: the character; Wheel: the delta
	ButtonCode_t code;
	bool down;
};

// Two presses of one button on one panel this close together make a double press.
const double kDoublePressSeconds = 0.5;

std::vector<Event> s_Events;
std::vector<int> s_Unhandled;
int s_CursorX = 0, s_CursorY = 0;
bool s_Down[JOYSTICK_FIRST] = {};
VPANEL s_Focus = 0, s_PinnedFocus = 0, s_MouseOver = 0, s_Capture = 0, s_Modal = 0;
VPANEL s_SubTree = 0;
bool s_SubTreeReceives = true;
vgui::HCursor s_CursorOverride = 0;
// The last press: its button, panel and time, and whether it already made a double press.
ButtonCode_t s_LastPressCode = BUTTON_CODE_NONE;
VPANEL s_LastPressPanel = 0;
double s_LastPressTime = -1.0;
bool s_LastPressWasDouble = false;
// What each button did during the last frame's input (cleared as the next frame's begins).
bool s_Pressed[JOYSTICK_FIRST] = {}, s_DoublePressed[JOYSTICK_FIRST] = {}, s_Released[JOYSTICK_FIRST] = {},
     s_Typed[JOYSTICK_FIRST] = {};
// Key trapping: the next button pressed while trapping is caught, not sent to panels.
bool s_Trapping = false, s_TrapDone = false;
ButtonCode_t s_TrappedCode = BUTTON_CODE_NONE;

vgui::IPanel *Panels()
{
	static vgui::IPanel *s_panels = static_cast<vgui::IPanel *>(CreateInterface(VGUI_PANEL_INTERFACE_VERSION, nullptr));
	return s_panels;
}

bool ValidCode(int code) { return code >= 0 && code < JOYSTICK_FIRST; }

void Mark(bool *flags, ButtonCode_t code)
{
	if (ValidCode(code))
		flags[code] = true;
}

bool Marked(const bool *flags, ButtonCode_t code) { return ValidCode(code) && flags[code]; }

class Input final : public vgui::IInputInternal
{
public:
	void GetCursorPos(int &x, int &y) override
	{
		x = s_CursorX;
		y = s_CursorY;
	}
	bool IsKeyDown(ButtonCode_t code) override { return code <= KEY_LAST && ValidCode(code) && s_Down[code]; }
	bool IsMouseDown(ButtonCode_t code) override
	{
		return code >= MOUSE_FIRST && code <= MOUSE_LAST && s_Down[code];
	}
	VPANEL GetFocus() override { return s_Focus; }
	VPANEL GetMouseOver() override { return s_MouseOver; }
	void SetMouseCapture(VPANEL panel) override { s_Capture = vguistandin::IsValidPanel(panel) ? panel : 0; }
	VPANEL GetMouseCapture() override { return s_Capture; }
	void SetAppModalSurface(VPANEL panel) override { s_Modal = vguistandin::IsValidPanel(panel) ? panel : 0; }
	VPANEL GetAppModalSurface() override { return s_Modal; }
	void ReleaseAppModalSurface() override { s_Modal = 0; }
	void OnKeyCodeUnhandled(int keyCode) override { s_Unhandled.push_back(keyCode); }
	void SetModalSubTree(VPANEL subTree, bool receiveMessages) override
	{
		s_SubTree = vguistandin::IsValidPanel(subTree) ? subTree : 0;
		s_SubTreeReceives = receiveMessages;
	}
	void ReleaseModalSubTree() override
	{
		s_SubTree = 0;
		s_SubTreeReceives = true;
	}
	VPANEL GetModalSubTree() override { return s_SubTree; }
	bool ShouldModalSubTreeReceiveMessages() override { return s_SubTreeReceives; }
	void SetCursorOveride(vgui::HCursor cursor) override { s_CursorOverride = cursor; }
	vgui::HCursor GetCursorOveride() override { return s_CursorOverride; }

	void SetCursorPos(int x, int y) override
	{
		s_CursorX = x;
		s_CursorY = y;
	}
	bool WasMousePressed(ButtonCode_t code) override
	{
		return code >= MOUSE_FIRST && code <= MOUSE_LAST && Marked(s_Pressed, code);
	}
	bool WasMouseDoublePressed(ButtonCode_t code) override
	{
		return code >= MOUSE_FIRST && code <= MOUSE_LAST && Marked(s_DoublePressed, code);
	}
	bool WasKeyPressed(ButtonCode_t code) override { return code <= KEY_LAST && Marked(s_Pressed, code); }
	bool WasKeyTyped(ButtonCode_t code) override { return code <= KEY_LAST && Marked(s_Typed, code); }
	bool WasKeyReleased(ButtonCode_t code) override { return code <= KEY_LAST && Marked(s_Released, code); }

	// Operating-system input handed straight to the panels, as the engine's own event pump does
	// (defined below, beside the event handling).
	void SetMouseCodeState(ButtonCode_t code, bool down) override
	{
		if (code >= MOUSE_FIRST && code <= MOUSE_LAST)
			s_Down[code] = down;
	}
	bool InternalCursorMoved(int x, int y) override;
	bool InternalMousePressed(ButtonCode_t code) override;
	bool InternalMouseDoublePressed(ButtonCode_t code) override;
	bool InternalMouseReleased(ButtonCode_t code) override;
	bool InternalMouseWheeled(int delta) override;
	bool InternalKeyCodePressed(ButtonCode_t code) override;
	void InternalKeyCodeTyped(ButtonCode_t code) override;
	void InternalKeyCodeReleased(ButtonCode_t code) override;
};

Input s_Input;

void *CreateInput() { return static_cast<vgui::IInput *>(&s_Input); }

InterfaceReg s_InputReg(&CreateInput, VGUI_INPUT_INTERFACE_VERSION);

void *CreateInputInternal() { return static_cast<vgui::IInputInternal *>(&s_Input); }

InterfaceReg s_InputInternalReg(&CreateInputInternal, VGUI_INPUTINTERNAL_INTERFACE_VERSION);

// Hands a message to the panel's client at once; the message is freed afterwards.
void Send(VPANEL target, KeyValues *message)
{
	if (vgui::IClientPanel *client = vguistandin::Client(target))
		client->OnMessage(message, 0);
	message->deleteThis();
}

void SendCode(VPANEL target, const char *name, int code)
{
	if (target)
		Send(target, new KeyValues(name, "code", code));
}

// Visible with every ancestor visible.
bool Shown(VPANEL panel)
{
	for (VPANEL p = panel; p; p = Panels()->GetParent(p))
		if (!Panels()->IsVisible(p))
			return false;
	return true;
}

// The focus the engine chooses: a pinned panel while it lives; else the top popup that is
// shown and takes keys asks its client for its current key focus, or takes it itself.
VPANEL ChooseFocus()
{
	if (s_PinnedFocus && vguistandin::IsValidPanel(s_PinnedFocus))
		return s_PinnedFocus;
	s_PinnedFocus = 0;
	const std::vector<VPANEL> &popups = vguistandin::Popups();
	for (size_t i = popups.size(); i-- > 0;)
	{
		VPANEL popup = popups[i];
		if (!Shown(popup) || !Panels()->IsKeyBoardInputEnabled(popup))
			continue;
		if (s_Modal && !Panels()->HasParent(popup, s_Modal))
			continue;
		VPANEL wanted = Panels()->GetCurrentKeyFocus(popup);
		return wanted && vguistandin::IsValidPanel(wanted) ? wanted : popup;
	}
	return 0;
}

// Moves key focus, telling the panel that loses it and the one that gains it.
void UpdateFocus()
{
	VPANEL wanted = ChooseFocus();
	if (wanted == s_Focus)
		return;
	VPANEL old = s_Focus;
	s_Focus = wanted;
	if (old && vguistandin::IsValidPanel(old))
		Send(old, new KeyValues("KillFocus"));
	if (wanted && vguistandin::IsValidPanel(wanted) && s_Focus == wanted)
		Send(wanted, new KeyValues("SetFocus"));
}

VPANEL MouseTarget() { return s_Capture ? s_Capture : s_MouseOver; }

void ApplyMove(int x, int y)
{
	s_CursorX = x;
	s_CursorY = y;
	VPANEL top = s_Modal ? s_Modal : vguistandin::RootPanel();
	VPANEL over = Panels()->IsWithinTraverse(top, s_CursorX, s_CursorY, true);
	if (over != s_MouseOver)
	{
		VPANEL old = s_MouseOver;
		s_MouseOver = over;
		if (old && vguistandin::IsValidPanel(old))
			Send(old, new KeyValues("CursorExited"));
		if (over && s_MouseOver == over)
			Send(over, new KeyValues("CursorEntered"));
	}
	if (VPANEL target = MouseTarget())
		Send(target, new KeyValues("CursorMoved", "xpos", s_CursorX, "ypos", s_CursorY));
}

void ApplyMouseButton(ButtonCode_t code, bool down)
{
	VPANEL target = MouseTarget();
	if (!down)
	{
		Mark(s_Released, code);
		SendCode(target, "MouseReleased", code);
		return;
	}
	double now = vguistandin::CurrentTime();
	bool isDouble = !s_LastPressWasDouble && code == s_LastPressCode && target == s_LastPressPanel &&
	                s_LastPressTime >= 0.0 && now - s_LastPressTime <= kDoublePressSeconds;
	s_LastPressCode = code;
	s_LastPressPanel = target;
	s_LastPressTime = now;
	s_LastPressWasDouble = isDouble;
	Mark(isDouble ? s_DoublePressed : s_Pressed, code);
	SendCode(target, isDouble ? "MouseDoublePressed" : "MousePressed", code);
}

void ApplyKey(ButtonCode_t code, bool down)
{
	Mark(down ? s_Pressed : s_Released, code);
	if (down)
		Mark(s_Typed, code);
	UpdateFocus();
	if (!s_Focus)
	{
		if (down)
			s_Unhandled.push_back(code);
		return;
	}
	VPANEL focus = s_Focus;
	if (!down)
	{
		SendCode(focus, "KeyCodeReleased", code);
		return;
	}
	SendCode(focus, "KeyCodePressed", code);
	if (vguistandin::IsValidPanel(focus))
		SendCode(focus, "KeyCodeTyped", code);
}

bool MouseEvent(ButtonCode_t code, bool *flags, const char *message)
{
	if (code < MOUSE_FIRST || code > MOUSE_LAST)
		return false;
	Mark(flags, code);
	VPANEL target = MouseTarget();
	SendCode(target, message, code);
	return target != 0;
}

bool KeyEvent(ButtonCode_t code, bool *flags, const char *message)
{
	if (!ValidCode(code) || code > KEY_LAST)
		return false;
	Mark(flags, code);
	UpdateFocus();
	if (!s_Focus)
	{
		if (flags == s_Pressed)
			s_Unhandled.push_back(code);
		return false;
	}
	SendCode(s_Focus, message, code);
	return true;
}

bool Input::InternalCursorMoved(int x, int y)
{
	ApplyMove(x, y);
	return MouseTarget() != 0;
}

bool Input::InternalMousePressed(ButtonCode_t code) { return MouseEvent(code, s_Pressed, "MousePressed"); }

bool Input::InternalMouseDoublePressed(ButtonCode_t code)
{
	return MouseEvent(code, s_DoublePressed, "MouseDoublePressed");
}

bool Input::InternalMouseReleased(ButtonCode_t code) { return MouseEvent(code, s_Released, "MouseReleased"); }

bool Input::InternalMouseWheeled(int delta)
{
	VPANEL target = MouseTarget();
	if (target)
		Send(target, new KeyValues("MouseWheeled", "delta", delta));
	return target != 0;
}

bool Input::InternalKeyCodePressed(ButtonCode_t code) { return KeyEvent(code, s_Pressed, "KeyCodePressed"); }

void Input::InternalKeyCodeTyped(ButtonCode_t code) { KeyEvent(code, s_Typed, "KeyCodeTyped"); }

void Input::InternalKeyCodeReleased(ButtonCode_t code) { KeyEvent(code, s_Released, "KeyCodeReleased"); }
}

namespace vguistandin
{
void QueueCursorMove(int x, int y) { s_Events.push_back({ Event::Move, x, y, BUTTON_CODE_NONE, false }); }

void QueueButton(ButtonCode_t code, bool down) { s_Events.push_back({ Event::Button, 0, 0, code, down }); }

void QueueKeyTyped(wchar_t unichar)
{
	s_Events.push_back({ Event::Char, static_cast<int>(unichar), 0, BUTTON_CODE_NONE, true });
}

void QueueMouseWheel(int delta) { s_Events.push_back({ Event::Wheel, delta, 0, BUTTON_CODE_NONE, true }); }

void SetKeyFocus(VPANEL panel) { s_PinnedFocus = IsValidPanel(panel) ? panel : 0; }

const std::vector<int> &UnhandledKeys() { return s_Unhandled; }

void ApplyInputEvents()
{
	std::vector<Event> events;
	events.swap(s_Events);
	for (bool *flags : { s_Pressed, s_DoublePressed, s_Released, s_Typed })
		memset(flags, 0, sizeof(s_Pressed));
	for (const Event &e : events)
	{
		switch (e.kind)
		{
		case Event::Move:
			ApplyMove(e.x, e.y);
			break;
		case Event::Button:
			if (!ValidCode(e.code))
				break;
			s_Down[e.code] = e.down;
			if (e.down && s_Trapping)
			{
				s_Trapping = false;
				s_TrapDone = true;
				s_TrappedCode = e.code;
				break;
			}
			if (e.code >= MOUSE_FIRST && e.code <= MOUSE_LAST)
				ApplyMouseButton(e.code, e.down);
			else
				ApplyKey(e.code, e.down);
			break;
		case Event::Char:
			UpdateFocus();
			if (s_Focus)
				Send(s_Focus, new KeyValues("KeyTyped", "unichar", e.x));
			break;
		case Event::Wheel:
			if (VPANEL target = MouseTarget())
				Send(target, new KeyValues("MouseWheeled", "delta", e.x));
			break;
		}
	}
	// Every frame the panel with key focus and the panel under the cursor are ticked.
	UpdateFocus();
	if (s_Focus)
		Send(s_Focus, new KeyValues("KeyFocusTicked"));
	if (VPANEL over = MouseTarget())
		Send(over, new KeyValues("MouseFocusTicked"));
}

void ForgetInputPanel(VPANEL panel)
{
	if (s_Focus == panel)
		s_Focus = 0;
	if (s_PinnedFocus == panel)
		s_PinnedFocus = 0;
	if (s_MouseOver == panel)
		s_MouseOver = 0;
	if (s_Capture == panel)
		s_Capture = 0;
	if (s_Modal == panel)
		s_Modal = 0;
	if (s_SubTree == panel)
		s_SubTree = 0, s_SubTreeReceives = true;
	if (s_LastPressPanel == panel)
		s_LastPressPanel = 0;
}

bool IsButtonHeld(ButtonCode_t code) { return ValidCode(code) && s_Down[code]; }

void StartKeyTrap()
{
	s_Trapping = true;
	s_TrapDone = false;
}

bool CheckKeyTrap(ButtonCode_t &code)
{
	if (!s_TrapDone)
		return false;
	s_TrapDone = false;
	code = s_TrappedCode;
	return true;
}

void ResetInput()
{
	for (bool *flags : { s_Pressed, s_DoublePressed, s_Released, s_Typed })
		memset(flags, 0, sizeof(s_Pressed));
	s_Trapping = s_TrapDone = false;
	s_TrappedCode = BUTTON_CODE_NONE;
	s_Events.clear();
	s_Unhandled.clear();
	s_CursorX = s_CursorY = 0;
	memset(s_Down, 0, sizeof(s_Down));
	s_Focus = s_PinnedFocus = s_MouseOver = s_Capture = s_Modal = 0;
	s_SubTree = 0;
	s_SubTreeReceives = true;
	s_CursorOverride = 0;
	s_LastPressCode = BUTTON_CODE_NONE;
	s_LastPressPanel = 0;
	s_LastPressTime = -1.0;
	s_LastPressWasDouble = false;
}
}
