// The stand-in input system ("InputSystemVersion001"): button codes to Windows virtual-key
// numbers, the numbering web views expect; button names; held buttons from the vgui input.
#include <cstdio>
#include <string>
#include <vector>

#include "VGuiInternal.h"
#include "inputsystem/iinputsystem.h"
#include "tier1/interface.h"

namespace
{
int VirtualKey(ButtonCode_t code)
{
	if (code >= KEY_0 && code <= KEY_9)
		return '0' + (code - KEY_0);
	if (code >= KEY_A && code <= KEY_Z)
		return 'A' + (code - KEY_A);
	if (code >= KEY_PAD_0 && code <= KEY_PAD_9)
		return 0x60 + (code - KEY_PAD_0);
	if (code >= KEY_F1 && code <= KEY_F12)
		return 0x70 + (code - KEY_F1);
	switch (code)
	{
	case KEY_PAD_DIVIDE: return 0x6F;
	case KEY_PAD_MULTIPLY: return 0x6A;
	case KEY_PAD_MINUS: return 0x6D;
	case KEY_PAD_PLUS: return 0x6B;
	case KEY_PAD_ENTER: return 0x0D;
	case KEY_PAD_DECIMAL: return 0x6E;
	case KEY_LBRACKET: return 0xDB;
	case KEY_RBRACKET: return 0xDD;
	case KEY_SEMICOLON: return 0xBA;
	case KEY_APOSTROPHE: return 0xDE;
	case KEY_BACKQUOTE: return 0xC0;
	case KEY_COMMA: return 0xBC;
	case KEY_PERIOD: return 0xBE;
	case KEY_SLASH: return 0xBF;
	case KEY_BACKSLASH: return 0xDC;
	case KEY_MINUS: return 0xBD;
	case KEY_EQUAL: return 0xBB;
	case KEY_ENTER: return 0x0D;
	case KEY_SPACE: return 0x20;
	case KEY_BACKSPACE: return 0x08;
	case KEY_TAB: return 0x09;
	case KEY_CAPSLOCK: return 0x14;
	case KEY_NUMLOCK: return 0x90;
	case KEY_ESCAPE: return 0x1B;
	case KEY_SCROLLLOCK: return 0x91;
	case KEY_INSERT: return 0x2D;
	case KEY_DELETE: return 0x2E;
	case KEY_HOME: return 0x24;
	case KEY_END: return 0x23;
	case KEY_PAGEUP: return 0x21;
	case KEY_PAGEDOWN: return 0x22;
	case KEY_BREAK: return 0x13;
	case KEY_LSHIFT: return 0xA0;
	case KEY_RSHIFT: return 0xA1;
	case KEY_LALT: return 0xA4;
	case KEY_RALT: return 0xA5;
	case KEY_LCONTROL: return 0xA2;
	case KEY_RCONTROL: return 0xA3;
	case KEY_LWIN: return 0x5B;
	case KEY_RWIN: return 0x5C;
	case KEY_APP: return 0x5D;
	case KEY_UP: return 0x26;
	case KEY_LEFT: return 0x25;
	case KEY_DOWN: return 0x28;
	case KEY_RIGHT: return 0x27;
	case MOUSE_LEFT: return 0x01;
	case MOUSE_RIGHT: return 0x02;
	case MOUSE_MIDDLE: return 0x04;
	case MOUSE_4: return 0x05;
	case MOUSE_5: return 0x06;
	default: return -1;
	}
}

// Key names in code order from KEY_0, then the mouse buttons; joystick buttons are "JOY<n>".
const char *const kKeyNames[] = {
	"0", "1", "2", "3", "4", "5", "6", "7", "8", "9",
	"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m",
	"n", "o", "p", "q", "r", "s", "t", "u", "v", "w", "x", "y", "z",
	"KP_INS", "KP_END", "KP_DOWNARROW", "KP_PGDN", "KP_LEFTARROW", "KP_5", "KP_RIGHTARROW", "KP_HOME",
	"KP_UPARROW", "KP_PGUP", "KP_SLASH", "KP_MULTIPLY", "KP_MINUS", "KP_PLUS", "KP_ENTER", "KP_DEL",
	"[", "]", "SEMICOLON", "'", "`", ",", ".", "/", "\\", "-", "=", "ENTER", "SPACE", "BACKSPACE", "TAB",
	"CAPSLOCK", "NUMLOCK", "ESCAPE", "SCROLLLOCK", "INS", "DEL", "HOME", "END",
	"PGUP", "PGDN", "PAUSE", "SHIFT", "RSHIFT", "ALT", "RALT", "CTRL",
	"RCTRL", "LWIN", "RWIN", "APP", "UPARROW", "LEFTARROW", "DOWNARROW", "RIGHTARROW",
	"F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12",
	"CAPSLOCKTOGGLE", "NUMLOCKTOGGLE", "SCROLLLOCKTOGGLE",
	"MOUSE1", "MOUSE2", "MOUSE3", "MOUSE4", "MOUSE5", "MWHEELUP", "MWHEELDOWN",
};
static_assert(sizeof(kKeyNames) / sizeof(kKeyNames[0]) == JOYSTICK_FIRST - KEY_0, "one name per key and mouse code");

// Joystick buttons, as many as the engine names.
const int kJoystickButtons = 57;

const char *Name(ButtonCode_t code)
{
	if (code >= KEY_0 && code < JOYSTICK_FIRST)
		return kKeyNames[code - KEY_0];
	static std::vector<std::string> *joystick = [] {
		auto *names = new std::vector<std::string>();
		for (int i = 1; i <= kJoystickButtons; ++i)
			names->push_back("JOY" + std::to_string(i));
		return names;
	}();
	if (code >= JOYSTICK_FIRST && code < JOYSTICK_FIRST + kJoystickButtons)
		return (*joystick)[code - JOYSTICK_FIRST].c_str();
	return "";
}

class InputSystem final : public IInputSystem
{
public:
	int ButtonCodeToVirtualKey(ButtonCode_t code) override { return VirtualKey(code); }
	bool IsButtonDown(ButtonCode_t code) override { return vguistandin::IsButtonHeld(code); }
	const char *ButtonCodeToString(ButtonCode_t code) override { return Name(code); }
};

InputSystem s_InputSystem;

void *CreateInputSystem() { return static_cast<IInputSystem *>(&s_InputSystem); }

InterfaceReg s_InputSystemReg(&CreateInputSystem, INPUTSYSTEM_INTERFACE_VERSION);
}
